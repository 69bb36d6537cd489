// Statement execution on the one connection: every statement is echoed
// under -t, and a failure is reported once, in one coloured form, before it
// is returned to the caller, who decides whether to go on. Once the
// connection is lost nothing more is sent or echoed, and the database's
// text of the loss is printed only once in the run.
#ifndef SCHEMON_DB_EXEC_H_
#define SCHEMON_DB_EXEC_H_

#include "db/driver/driver.h"

// Prints the trace line ">>> statement".
void EchoQuery(const char* query);

// Prints the error report for a failed statement. After the connection
// was lost, prints nothing when the loss has been reported already.
void PrintQueryError(const char* error_text, const char* query);

// Prints text, the database's reason for the failure the caller has just
// printed a line about (a failed BEGIN or COMMIT), on a line of its own;
// nothing when it is the text of a lost connection printed already.
void PrintDatabaseText(const char* text);

// Returns true once the connection to the database is lost: the command
// must stop, since nothing more reaches the database.
bool ConnectionLost();

// When the connection is lost and no report has shown why yet, prints
// "ERROR: connection to the database lost" and the database's text. Returns
// whether the connection is lost. For the callers of silent probes, whose
// failures print nothing.
bool ReportConnectionLost();

// Runs a statement without result. Returns true on success; an empty text
// succeeds at once without output. While a statement runner is installed
// the runner takes the statement instead (see SetStatementRunner).
bool ExecQuery(const char* query);

// Sends a statement without result to the database, whatever runner is
// installed. With loud set it is echoed under -t and a failure is reported;
// without, it runs silently. Returns true on success. On a lost connection
// it fails at once, neither sent nor echoed.
bool SendQuery(const char* query, bool loud);

// Runs a statement as ExecQuery does with loud set (echo under -t, failure
// reported), silently without: through the installed runner, or sent when
// there is none. Unlike ExecQuery it sends an empty text too.
bool RunQuery(const char* query, bool loud);

// Takes the place of the database for the statements of ExecQuery and
// RunQuery while installed: it gets the statement and the loud flag and
// returns the statement's result, after reporting any failure it made.
// The upgrade installs one around each step on MySQL, where DDL commits on
// its own, to resume a step that an interrupted run left half done.
typedef bool (*StatementRunner)(const char* query, bool loud);

// Installs runner; null removes it.
void SetStatementRunner(StatementRunner runner);

// Runs a buffered query. Returns the result (the caller releases it with
// DBFreeResult) or null on failure.
db_result_t ExecSelect(const char* query);

// Runs a row-by-row query. Returns the result (the caller releases it with
// DBFreeAsyncResult) or null on failure.
db_async_result_t ExecSelectUnbuffered(const char* query);

#endif  // SCHEMON_DB_EXEC_H_
