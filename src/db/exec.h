// Statement execution on the one connection: every statement is echoed
// under -t, and a failure is reported once, in one coloured form, before it
// is returned to the caller, who decides whether to go on.
#ifndef SCHEMON_DB_EXEC_H_
#define SCHEMON_DB_EXEC_H_

#include "db/driver/driver.h"

// Prints the trace line ">>> statement".
void EchoQuery(const char* query);

// Prints the error report for a failed statement.
void PrintQueryError(const char* error_text, const char* query);

// Runs a statement without result. Returns true on success; an empty text
// succeeds at once without output.
bool ExecQuery(const char* query);

// Runs a buffered query. Returns the result (the caller releases it with
// DBFreeResult) or null on failure.
db_result_t ExecSelect(const char* query);

// Runs a row-by-row query. Returns the result (the caller releases it with
// DBFreeAsyncResult) or null on failure.
db_async_result_t ExecSelectUnbuffered(const char* query);

#endif  // SCHEMON_DB_EXEC_H_
