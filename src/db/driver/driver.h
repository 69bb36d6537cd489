// The driver library's public operations: set-up from the configuration
// globals, one connection, statements, buffered and row-by-row results,
// transactions and SQL text helpers. Success is non-zero (or non-null),
// failure 0 (or null); rows and columns count from 0.
#ifndef SCHEMON_DB_DRIVER_DRIVER_H_
#define SCHEMON_DB_DRIVER_DRIVER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "db/driver/field_view.h"
#include "db/driver/syntax.h"
#include "front/runtime/qz_string.h"

#define DBERR_BUFFER_SIZE 1024

struct DbConnection;
struct DbResult;
struct DbAsyncResult;
typedef DbConnection* db_handle_t;
typedef DbResult* db_result_t;
typedef DbAsyncResult* db_async_result_t;
struct DbBulkInsert;
typedef DbBulkInsert* db_bulk_t;

// Connection settings, filled by the configuration loader before DBInit.
extern char g_szDbDriver[260];
extern char g_szDbDrvParams[260];
extern char g_szDbServer[260];
extern char g_szDbName[256];
extern char g_szDbLogin[64];
extern char g_szDbPassword[64];

// When set before DBConnect, an embedded database file that does not exist
// yet is created; otherwise a missing file fails the connection.
extern bool g_bDbAllowCreate;

// Selects the backend named by g_szDbDriver. Returns false (and prints the
// reason on standard error) when the name is unknown. The integers and the
// callback are accepted for compatibility and unused.
bool DBInit(int flags, int reserved1, int reserved2,
            void (*callback)(unsigned int, const char*, const char*));

// Connects with the configuration globals. Returns null on failure, after
// printing the backend's reason on standard error.
db_handle_t DBConnect();

// Closes the connection and releases the handle; null is ignored.
void DBDisconnect(db_handle_t conn);

// Forgets the backend chosen by DBInit.
void DBUnloadDriver();

// Returns the database syntax code: a stored "Syntax" in metadata or
// "DBSyntax" in config wins; otherwise the backend's own dialect; -1 when
// neither tells.
int DBGetSyntax(db_handle_t conn);

// Returns the schema version: "SchemaVersion" of metadata when present, else
// "DBFormatVersion" of config, else 0. Runs silently.
int DBGetSchemaVersion(db_handle_t conn);

// Runs a statement without result. The Ex form copies the database's error
// text into errorText (DBERR_BUFFER_SIZE bytes) on failure.
bool DBQuery(db_handle_t conn, const char* query);
bool DBQueryEx(db_handle_t conn, const char* query, char* errorText);

// True when one DBQuery may hold several statements separated by
// semicolons: they run in one round trip, in order, and stop at the first
// that fails (which one is not told).
bool DBRunsStatementLists(db_handle_t conn);

// Runs a query and fetches all rows. Returns a result owned by the caller
// (release with DBFreeResult), or null on failure.
db_result_t DBSelect(db_handle_t conn, const char* query);
db_result_t DBSelectEx(db_handle_t conn, const char* query, char* errorText);

// Runs a query whose rows are fetched one by one with DBFetch. No other
// statement may run on the connection until DBFreeAsyncResult.
db_async_result_t DBAsyncSelectEx(db_handle_t conn, const char* query,
                                  char* errorText);

// Buffered results. A NULL reads as the empty text (and as 0).
int DBGetNumRows(db_result_t result);
int DBGetColumnCount(db_result_t result);
// Copies the value, cut to size - 1 bytes and zero-terminated, into buffer
// and returns buffer; with a null buffer returns a new malloc'ed copy.
char* DBGetField(db_result_t result, int row, int column, char* buffer,
                 size_t size);
// Returns the whole value; NULL reads as the empty text.
std::string DBGetFieldString(db_result_t result, int row, int column);
bool DBIsFieldNull(db_result_t result, int row, int column);
int32_t DBGetFieldLong(db_result_t result, int row, int column);
uint32_t DBGetFieldULong(db_result_t result, int row, int column);
int64_t DBGetFieldInt64(db_result_t result, int row, int column);
// Returns the IPv4 address in dotted text as a host-order integer; 0 when the
// text is no address.
uint32_t DBGetFieldIPAddr(db_result_t result, int row, int column);
void DBFreeResult(db_result_t result);

// Unbuffered results.
// Moves to the next row; false at the end or on a failure (see
// DBGetAsyncError).
bool DBFetch(db_async_result_t result);
// Returns the text of a failure met while fetching, or null when the rows
// simply ended.
const char* DBGetAsyncError(db_async_result_t result);
int DBGetColumnCountAsync(db_async_result_t result);
char* DBGetColumnNameAsync(db_async_result_t result, int column, char* buffer,
                           size_t size);
// Copies the current row's value into buffer (cut to fit) and returns it, or
// returns null for a NULL value.
char* DBGetFieldAsync(db_async_result_t result, int column, char* buffer,
                      size_t size);
// Stores the whole value in *out. Returns false for a NULL value.
bool DBGetFieldAsyncString(db_async_result_t result, int column,
                           std::string* out);
// Returns the current row's value as the backend holds it (a number where
// it keeps one), without copying where it can; a text may point into
// *scratch. Valid until the next DBFetch.
driver::FieldView DBGetFieldAsyncView(db_async_result_t result, int column,
                                      std::string* scratch);
void DBFreeAsyncResult(db_handle_t conn, db_async_result_t result);

// Bulk insert: rows into one table through the database's fast path. Start
// returns null with an empty errorText when the backend has none (the
// caller then inserts row by row), and null with the reason when it cannot
// start. Rows may be held back until Finish, so a failure can belong to an
// earlier row. Until DBBulkInsertFree no other statement may run on the
// connection. Table and column names must be plain identifiers.
db_bulk_t DBBulkInsertStart(db_handle_t conn, const char* table,
                            const std::vector<std::string>& columns,
                            char* errorText);
// Adds one row of values (null pointer: NULL) with their byte lengths.
bool DBBulkInsertRow(db_bulk_t bulk, const char* const* values,
                     const size_t* lengths, char* errorText);
bool DBBulkInsertFinish(db_bulk_t bulk, char* errorText);
void DBBulkInsertFree(db_bulk_t bulk);

// Transactions on the connection.
bool DBBegin(db_handle_t conn);
bool DBCommit(db_handle_t conn);
bool DBRollback(db_handle_t conn);
// Returns the database's text for the last failed DBBegin, DBCommit or
// DBRollback on the connection.
const char* DBGetLastError(db_handle_t conn);

// Returns true once a failure has shown the connection lost (the server
// closed it, went away or the link broke). From then on every call on the
// connection fails at once without sending anything, with the text of that
// failure, which DBGetConnectionLostError returns ("" before the loss).
bool DBIsConnectionLost(db_handle_t conn);
const char* DBGetConnectionLostError(db_handle_t conn);

// Returns text as a complete single-quoted SQL literal for the connection.
String DBPrepareString(db_handle_t conn, const char* text);

// Returns a new malloc'ed hash-escaped copy of text: characters that cannot
// stand between single quotes as they are, and "#", become "#" and two hex
// digits; the empty text becomes "#00".
char* EncodeSQLString(const char* text);

// Decodes hash-escaped text in place.
void DecodeSQLString(char* text);

#endif  // SCHEMON_DB_DRIVER_DRIVER_H_
