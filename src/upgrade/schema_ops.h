// The operations the upgrade steps are written in: the script runner, table
// creation with type markers and table options, server variables, the
// conversion of hash-escaped columns, the move of a variable to metadata and
// the version statement. All run on the one connection inside the step's
// transaction and return true on success, after reporting any failure.
#ifndef SCHEMON_UPGRADE_SCHEMA_OPS_H_
#define SCHEMON_UPGRADE_SCHEMA_OPS_H_

#include "db/driver/syntax.h"
#include "db/exec.h"  // the steps run their own statements with ExecQuery
#include "front/globals.h"

// Column type names by syntax code: [syntax][0] replaces "$SQL:TEXT",
// [syntax][1] replaces "$SQL:INT64". No name is longer than its marker.
extern const char* const g_apszSqlTypes[SYNTAX_COUNT][2];

// Replaces the type markers of text in place for g_nDbSyntax ("$SQL:TEXT"
// first, then "$SQL:INT64").
void ReplaceTypeMarkers(char* text);

// Runs a script: one statement per line, separated by a line feed, ended by
// a line that is exactly "<END>". Each line is sent as written after the
// markers are replaced, a DDL line in the form of the database (see
// upgrade/dialect_ddl.h), and echoed as sent under -t; a failed line is
// reported and ends the script unless -X is set. Returns true when "<END>"
// was reached.
bool RunScript(const char* script);

// Runs a CREATE TABLE statement after replacing the markers; on MySQL the
// table options of -I or -M are appended (in the ENGINE= form the server
// accepts). Returns the statement's result.
bool AddTable(const char* ddl);

// Runs one DDL statement of a step (CREATE, ALTER, DROP, RENAME) with
// ExecQuery, after replacing the type markers and giving it the form the
// connected database needs (see upgrade/dialect_ddl.h). On MySQL it goes
// through the step's resume mark (see upgrade/step_resume.h), as every
// statement of RunScript and AddTable does.
bool ExecDdl(const char* statement);

// Adds the server variable with its plain-text default value unless it
// exists; with overwrite set an existing value is replaced (its flags stay).
// Returns true when the variable was kept or written.
bool AddServerVariable(const char* name, const char* value, int visible,
                       int restart, int overwrite);

// Rewrites table.column from hash-escaped to plain storage, row by row by
// the integer key column: "#00" becomes the empty text, then the rows that
// hold "#" are read in batches of g_nConvertBatchRows in key order and
// each is updated by its key. Memory does not grow with the table. The
// updates of a batch go to the database as lists of statements in one
// round trip where it takes them (see DBRunsStatementLists), each echoed on
// its own under -t; a failing update is reported with its own text and
// ends the conversion, under -X only itself. Returns true when every
// statement succeeded.
bool ConvertEscapedColumn(const char* table, const char* key_column,
                          const char* column);

// Rows per batch of ConvertEscapedColumn (1000; tests make it small).
extern int g_nConvertBatchRows;

// Moves server variable old_name into metadata as new_name: decoded, cut to
// its first 255 characters and quoted for the database. Returns true when
// it was absent or moved.
bool MoveVariableToMetadata(const char* old_name, const char* new_name);

// Writes the new schema version: into config's DBFormatVersion for versions
// up to 86, into metadata's SchemaVersion from 87 on.
bool SetSchemaVersion(int version);

// One statement in the form each database needs, indexed by syntax code
// (SYNTAX_MYSQL ... SYNTAX_SQLITE). A null form means that database needs no
// statement for it. Steps keep their per-database statements and their
// dialect substitutes in tables of these, one table per difference.
struct SyntaxStatement {
  const char* forms[SYNTAX_COUNT];
};

// Returns the form for g_nDbSyntax, or null when that database needs none.
const char* StatementForSyntax(const SyntaxStatement& statement);

// Runs the form for g_nDbSyntax with ExecQuery (the markers replaced);
// returns true at once when that database needs no statement.
bool RunForSyntax(const SyntaxStatement& statement);

// True when a step must stop after an operation with result ok: it failed
// and -X is not set.
inline bool StepMustStop(bool ok) { return !ok && !g_bContinueOnError; }

// Ends the calling step with failure unless op succeeded or -X is set.
#define CHECK_STEP(op)              \
  do {                              \
    if (StepMustStop(op)) return 0; \
  } while (0)

#endif  // SCHEMON_UPGRADE_SCHEMA_OPS_H_
