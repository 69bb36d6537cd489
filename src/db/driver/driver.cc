// The driver library's public operations over the chosen backend.

#include "db/driver/driver.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "db/driver/backend.h"

char g_szDbDriver[260] = "sqlite";
char g_szDbDrvParams[260] = "";
char g_szDbServer[260] = "localhost";
char g_szDbName[256] = "orvane_db";
char g_szDbLogin[64] = "orvane";
char g_szDbPassword[64] = "";
bool g_bDbAllowCreate = false;

struct DbConnection {
  std::unique_ptr<driver::Connection> conn;
  std::string last_error;
  // Set by the failure that found the link gone; nothing is sent after it.
  bool lost = false;
  std::string lost_error;
};

struct DbResult {
  driver::BufferedResult data;
};

struct DbAsyncResult {
  db_handle_t owner;
  std::unique_ptr<driver::Cursor> cursor;
};

struct DbBulkInsert {
  db_handle_t owner;
  std::unique_ptr<driver::BulkInsert> insert;
};

namespace {

driver::Backend* g_backend = nullptr;

void CopyError(const std::string& text, char* buffer) {
  if (buffer == nullptr) return;
  snprintf(buffer, DBERR_BUFFER_SIZE, "%s", text.c_str());
}

// After a failure whose text is error: notes whether the backend found the
// connection gone.
void NoteFailure(db_handle_t conn, const std::string& error) {
  if (conn->lost || !conn->conn->IsLost()) return;
  conn->lost = true;
  conn->lost_error =
      error.empty() ? "the connection to the database was lost" : error;
}

// Returns true, with the text of the loss in *error, when the connection is
// lost: the call must then fail without sending anything.
bool Refused(db_handle_t conn, std::string* error) {
  if (!conn->lost) return false;
  *error = conn->lost_error;
  return true;
}

bool Refused(db_handle_t conn, char* errorText) {
  if (!conn->lost) return false;
  CopyError(conn->lost_error, errorText);
  return true;
}

const driver::Value* FieldAt(db_result_t result, int row, int column) {
  if (result == nullptr || row < 0 || column < 0 ||
      static_cast<size_t>(row) >= result->data.rows.size()) {
    return nullptr;
  }
  const auto& values = result->data.rows[static_cast<size_t>(row)];
  if (static_cast<size_t>(column) >= values.size()) return nullptr;
  return &values[static_cast<size_t>(column)];
}

// Returns the first column of the first row of a silent query, or nullopt
// when the query fails or finds no row.
driver::Value QueryFirstValue(db_handle_t conn, const char* query) {
  driver::BufferedResult result;
  std::string error;
  if (Refused(conn, &error)) return std::nullopt;
  if (!conn->conn->Select(query, &result, &error)) {
    NoteFailure(conn, error);
    return std::nullopt;
  }
  if (result.rows.empty() || result.rows[0].empty()) return std::nullopt;
  return result.rows[0][0];
}

}  // namespace

bool DBInit(int, int, int, void (*)(unsigned int, const char*, const char*)) {
  g_backend = driver::FindBackend(g_szDbDriver);
  if (g_backend == nullptr) {
    fprintf(stderr, "schemon: no database driver named \"%s\"\n",
            driver::NormalizeDriverName(g_szDbDriver).c_str());
    return false;
  }
  return true;
}

db_handle_t DBConnect() {
  if (g_backend == nullptr) return nullptr;
  driver::ConnectParams params;
  params.server = g_szDbServer;
  params.name = g_szDbName;
  params.login = g_szDbLogin;
  params.password = g_szDbPassword;
  params.options = g_szDbDrvParams;
  params.allow_create = g_bDbAllowCreate;
  std::string error;
  std::unique_ptr<driver::Connection> conn = g_backend->Connect(params, &error);
  if (conn == nullptr) {
    fprintf(stderr, "schemon: %s\n", error.c_str());
    return nullptr;
  }
  auto* handle = new DbConnection;
  handle->conn = std::move(conn);
  return handle;
}

void DBDisconnect(db_handle_t conn) { delete conn; }

void DBUnloadDriver() { g_backend = nullptr; }

int DBGetSyntax(db_handle_t conn) {
  if (conn == nullptr) return -1;
  driver::Value stored = QueryFirstValue(
      conn, "SELECT var_value FROM metadata WHERE var_name='Syntax'");
  if (!stored.has_value()) {
    stored = QueryFirstValue(
        conn, "SELECT var_value FROM config WHERE var_name='DBSyntax'");
    if (stored.has_value()) DecodeSQLString(&(*stored)[0]);
  }
  if (stored.has_value()) {
    int code = SyntaxFromName(stored->c_str());
    if (code >= 0) return code;
  }
  return conn->conn->NativeSyntax();
}

int DBGetSchemaVersion(db_handle_t conn) {
  if (conn == nullptr) return 0;
  driver::Value value = QueryFirstValue(
      conn, "SELECT var_value FROM metadata WHERE var_name='SchemaVersion'");
  if (!value.has_value()) {
    value = QueryFirstValue(
        conn, "SELECT var_value FROM config WHERE var_name='DBFormatVersion'");
  }
  return value.has_value()
             ? static_cast<int>(strtol(value->c_str(), nullptr, 10))
             : 0;
}

bool DBRunsStatementLists(db_handle_t conn) {
  return conn != nullptr && conn->conn->ExecutesStatementLists();
}

bool DBQuery(db_handle_t conn, const char* query) {
  return DBQueryEx(conn, query, nullptr);
}

bool DBQueryEx(db_handle_t conn, const char* query, char* errorText) {
  if (conn == nullptr || Refused(conn, errorText)) return false;
  std::string error;
  if (conn->conn->Execute(query, &error)) return true;
  NoteFailure(conn, error);
  CopyError(error, errorText);
  return false;
}

db_result_t DBSelect(db_handle_t conn, const char* query) {
  return DBSelectEx(conn, query, nullptr);
}

db_result_t DBSelectEx(db_handle_t conn, const char* query, char* errorText) {
  if (conn == nullptr || Refused(conn, errorText)) return nullptr;
  auto result = std::make_unique<DbResult>();
  std::string error;
  if (!conn->conn->Select(query, &result->data, &error)) {
    NoteFailure(conn, error);
    CopyError(error, errorText);
    return nullptr;
  }
  return result.release();
}

db_async_result_t DBAsyncSelectEx(db_handle_t conn, const char* query,
                                  char* errorText) {
  if (conn == nullptr || Refused(conn, errorText)) return nullptr;
  std::string error;
  std::unique_ptr<driver::Cursor> cursor =
      conn->conn->SelectUnbuffered(query, &error);
  if (cursor == nullptr) {
    NoteFailure(conn, error);
    CopyError(error, errorText);
    return nullptr;
  }
  auto* result = new DbAsyncResult;
  result->owner = conn;
  result->cursor = std::move(cursor);
  return result;
}

int DBGetNumRows(db_result_t result) {
  return result != nullptr ? static_cast<int>(result->data.rows.size()) : 0;
}

int DBGetColumnCount(db_result_t result) {
  return result != nullptr ? static_cast<int>(result->data.columns.size()) : 0;
}

char* DBGetField(db_result_t result, int row, int column, char* buffer,
                 size_t size) {
  const driver::Value* value = FieldAt(result, row, column);
  std::string text = (value != nullptr && value->has_value()) ? **value : "";
  if (buffer == nullptr) return strdup(text.c_str());
  if (size == 0) return buffer;
  snprintf(buffer, size, "%s", text.c_str());
  return buffer;
}

std::string DBGetFieldString(db_result_t result, int row, int column) {
  const driver::Value* value = FieldAt(result, row, column);
  return (value != nullptr && value->has_value()) ? **value : std::string();
}

bool DBIsFieldNull(db_result_t result, int row, int column) {
  const driver::Value* value = FieldAt(result, row, column);
  return value == nullptr || !value->has_value();
}

int32_t DBGetFieldLong(db_result_t result, int row, int column) {
  return static_cast<int32_t>(
      strtol(DBGetFieldString(result, row, column).c_str(), nullptr, 10));
}

uint32_t DBGetFieldULong(db_result_t result, int row, int column) {
  std::string text = DBGetFieldString(result, row, column);
  // Negative ids are stored signed; read them as their 32-bit pattern.
  return static_cast<uint32_t>(strtoll(text.c_str(), nullptr, 10));
}

int64_t DBGetFieldInt64(db_result_t result, int row, int column) {
  return strtoll(DBGetFieldString(result, row, column).c_str(), nullptr, 10);
}

uint32_t DBGetFieldIPAddr(db_result_t result, int row, int column) {
  struct in_addr address;
  if (inet_pton(AF_INET, DBGetFieldString(result, row, column).c_str(),
                &address) != 1) {
    return 0;
  }
  return ntohl(address.s_addr);
}

void DBFreeResult(db_result_t result) { delete result; }

bool DBFetch(db_async_result_t result) {
  if (result == nullptr) return false;
  if (result->cursor->Fetch()) return true;
  if (!result->cursor->error().empty()) {
    NoteFailure(result->owner, result->cursor->error());
  }
  return false;
}

const char* DBGetAsyncError(db_async_result_t result) {
  if (result == nullptr || result->cursor->error().empty()) return nullptr;
  return result->cursor->error().c_str();
}

int DBGetColumnCountAsync(db_async_result_t result) {
  return result != nullptr ? result->cursor->ColumnCount() : 0;
}

char* DBGetColumnNameAsync(db_async_result_t result, int column, char* buffer,
                           size_t size) {
  if (result == nullptr || size == 0) return nullptr;
  snprintf(buffer, size, "%s", result->cursor->ColumnName(column).c_str());
  return buffer;
}

char* DBGetFieldAsync(db_async_result_t result, int column, char* buffer,
                      size_t size) {
  if (result == nullptr) return nullptr;
  driver::Value value = result->cursor->Field(column);
  if (!value.has_value()) return nullptr;
  if (size == 0) return buffer;
  snprintf(buffer, size, "%s", value->c_str());
  return buffer;
}

bool DBGetFieldAsyncString(db_async_result_t result, int column,
                           std::string* out) {
  if (result == nullptr) return false;
  driver::Value value = result->cursor->Field(column);
  if (!value.has_value()) {
    out->clear();
    return false;
  }
  *out = std::move(*value);
  return true;
}

driver::FieldView DBGetFieldAsyncView(db_async_result_t result, int column,
                                      std::string* scratch) {
  if (result == nullptr) return driver::FieldView();
  return result->cursor->View(column, scratch);
}

void DBFreeAsyncResult(db_handle_t, db_async_result_t result) { delete result; }

db_bulk_t DBBulkInsertStart(db_handle_t conn, const char* table,
                            const std::vector<std::string>& columns,
                            char* errorText) {
  CopyError("", errorText);
  if (conn == nullptr || Refused(conn, errorText)) return nullptr;
  std::string error;
  std::unique_ptr<driver::BulkInsert> insert =
      conn->conn->StartBulkInsert(table, columns, &error);
  if (insert == nullptr) {
    if (!error.empty()) NoteFailure(conn, error);
    CopyError(error, errorText);
    return nullptr;
  }
  auto* bulk = new DbBulkInsert;
  bulk->owner = conn;
  bulk->insert = std::move(insert);
  return bulk;
}

bool DBBulkInsertRow(db_bulk_t bulk, const char* const* values,
                     const size_t* lengths, char* errorText) {
  if (Refused(bulk->owner, errorText)) return false;
  std::string error;
  if (bulk->insert->AddRow(values, lengths, &error)) return true;
  NoteFailure(bulk->owner, error);
  CopyError(error, errorText);
  return false;
}

bool DBBulkInsertFinish(db_bulk_t bulk, char* errorText) {
  if (Refused(bulk->owner, errorText)) return false;
  std::string error;
  if (bulk->insert->Finish(&error)) return true;
  NoteFailure(bulk->owner, error);
  CopyError(error, errorText);
  return false;
}

void DBBulkInsertFree(db_bulk_t bulk) { delete bulk; }

namespace {

// Runs a transaction command of the backend, unless the connection is lost.
bool EndOrBegin(db_handle_t conn,
                bool (driver::Connection::*command)(std::string*)) {
  if (conn == nullptr) return false;
  if (Refused(conn, &conn->last_error)) return false;
  if (((*conn->conn).*command)(&conn->last_error)) return true;
  NoteFailure(conn, conn->last_error);
  return false;
}

}  // namespace

bool DBBegin(db_handle_t conn) {
  return EndOrBegin(conn, &driver::Connection::Begin);
}

bool DBCommit(db_handle_t conn) {
  return EndOrBegin(conn, &driver::Connection::Commit);
}

bool DBRollback(db_handle_t conn) {
  return EndOrBegin(conn, &driver::Connection::Rollback);
}

const char* DBGetLastError(db_handle_t conn) {
  return conn != nullptr ? conn->last_error.c_str() : "";
}

bool DBIsConnectionLost(db_handle_t conn) {
  return conn != nullptr && conn->lost;
}

const char* DBGetConnectionLostError(db_handle_t conn) {
  return conn != nullptr ? conn->lost_error.c_str() : "";
}

String DBPrepareString(db_handle_t conn, const char* text) {
  std::string value = text != nullptr ? text : "";
  if (conn != nullptr) return String(conn->conn->Quote(value));
  std::string quoted = "'";
  for (char c : value) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  quoted += '\'';
  return String(quoted);
}
