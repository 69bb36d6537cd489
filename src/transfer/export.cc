#include "transfer/export.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "db/driver/sqlite_open.h"
#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"
#include "front/runtime/runtime.h"
#include "transfer/core_tables.h"
#include "transfer/node_command.h"
#include "transfer/progress.h"
#include "transfer/row_reader.h"
#include "transfer/schema_path.h"

namespace {

// Returns value as an SQLite literal, for showing a failed row.
std::string SqliteLiteral(const driver::FieldView& value) {
  switch (value.kind) {
    case driver::FieldView::kNull:
      return "NULL";
    case driver::FieldView::kInteger:
      return std::to_string(value.integer);
    case driver::FieldView::kReal: {
      char* text = sqlite3_mprintf("%!.15g", value.real);
      std::string literal = text != nullptr ? text : "";
      sqlite3_free(text);
      return literal;
    }
    case driver::FieldView::kText:
      break;
  }
  std::string quoted = "'";
  for (size_t i = 0; i < value.length; i++) {
    if (value.text[i] == '\'') quoted += '\'';
    quoted += value.text[i];
  }
  return quoted + "'";
}

// Binds value to parameter (from 1) of stmt: numbers as the numbers the
// source holds, so that the file stores them as the source does without a
// round trip through their text.
int BindValue(sqlite3_stmt* stmt, int parameter,
              const driver::FieldView& value) {
  switch (value.kind) {
    case driver::FieldView::kNull:
      return sqlite3_bind_null(stmt, parameter);
    case driver::FieldView::kInteger:
      return sqlite3_bind_int64(stmt, parameter, value.integer);
    case driver::FieldView::kReal:
      return sqlite3_bind_double(stmt, parameter, value.real);
    case driver::FieldView::kText:
      break;
  }
  return sqlite3_bind_text64(stmt, parameter, value.text, value.length,
                             SQLITE_STATIC, SQLITE_UTF8);
}

// Returns the identifier in double quotes, as SQLite reads it.
std::string SqliteIdentifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// Runs a statement on the file; on failure stores SQLite's text in *error.
bool FileExec(sqlite3* file, const char* sql, std::string* error) {
  char* message = nullptr;
  if (sqlite3_exec(file, sql, nullptr, nullptr, &message) == SQLITE_OK) {
    return true;
  }
  *error = message != nullptr ? message : sqlite3_errmsg(file);
  sqlite3_free(message);
  return false;
}

// Runs a one-column select on the file with a callback; prints the failure.
bool FileSelect(sqlite3* file, const char* sql,
                int (*callback)(void*, int, char**, char**), void* context) {
  char* message = nullptr;
  if (sqlite3_exec(file, sql, callback, context, &message) == SQLITE_OK) {
    return true;
  }
  printf("ERROR: SQL query failed (%s)\n",
         message != nullptr ? message : sqlite3_errmsg(file));
  sqlite3_free(message);
  return false;
}

// Inserts the rows of batch with stmt, the prepared insert whose text up to
// its values is insert. Returns false after printing the failing row.
bool InsertBatch(sqlite3* file, sqlite3_stmt* stmt, const std::string& insert,
                 const RowBatch& batch) {
  int columns = batch.columns();
  for (size_t row = 0; row < batch.rows(); row++) {
    int rc = SQLITE_OK;
    for (int i = 0; i < columns && rc == SQLITE_OK; i++) {
      rc = BindValue(stmt, i + 1, batch.Value(row, i));
    }
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE) {
      std::string shown = insert;
      for (int i = 0; i < columns; i++) {
        shown += (i > 0 ? "," : "") + SqliteLiteral(batch.Value(row, i));
      }
      shown += ")";
      ProgressClear();
      printf("ERROR: SQLite query failed: %s\n   Query: %s\n",
             sqlite3_errmsg(file), shown.c_str());
      sqlite3_reset(stmt);
      return false;
    }
    sqlite3_reset(stmt);
    ProgressRow();
  }
  return true;
}

// Copies the rows of an open source result into the prepared insert of the
// file. The source is read on a thread of its own while this one writes.
// Returns false after printing the failure.
bool CopyRows(sqlite3* file, db_async_result_t source, const char* table,
              const char* select) {
  int columns = DBGetColumnCountAsync(source);
  std::string insert = std::string("INSERT INTO ") + table + " (";
  std::string placeholders;
  for (int i = 0; i < columns; i++) {
    char name[256];
    DBGetColumnNameAsync(source, i, name, sizeof name);
    insert += (i > 0 ? "," : "") + SqliteIdentifier(name);
    placeholders += i > 0 ? ",?" : "?";
  }
  insert += ") VALUES (";
  sqlite3_stmt* stmt = nullptr;
  std::string prepared = insert + placeholders + ")";
  if (sqlite3_prepare_v2(file, prepared.c_str(), -1, &stmt, nullptr) !=
      SQLITE_OK) {
    printf("ERROR: SQLite query failed: %s\n   Query: %s\n",
           sqlite3_errmsg(file), prepared.c_str());
    sqlite3_finalize(stmt);
    return false;
  }
  bool ok = true;
  std::string read_error;
  {
    RowReader reader(source, columns);
    const RowBatch* batch;
    while (ok && (batch = reader.Next()) != nullptr) {
      ok = InsertBatch(file, stmt, insert, *batch);
    }
    if (ok) read_error = reader.error();
  }
  sqlite3_finalize(stmt);
  if (ok && !read_error.empty()) {
    // The rows ended with an error, not at their end: the table is
    // incomplete.
    ProgressClear();
    PrintQueryError(read_error.c_str(), select);
    ok = false;
  }
  return ok;
}

// Exports idata_<id> of every node, creating each in the file first.
bool ExportNodeDataTables(sqlite3* file) {
  char create_format[256] = "";
  if (!FileSelect(file,
                  "SELECT var_value FROM metadata WHERE "
                  "var_name='IDataTableCreationCommand'",
                  TextValueCallback, create_format)) {
    return false;
  }
  if (create_format[0] == 0) {
    printf(
        "ERROR: unable to determine correct query for idata tables "
        "creation\n");
    return false;
  }
  db_result_t nodes = ExecSelect("SELECT id FROM nodes");
  if (nodes == nullptr) return false;
  bool ok = true;
  int rows = DBGetNumRows(nodes);
  for (int i = 0; ok && i < rows; i++) {
    int id = DBGetFieldLong(nodes, i, 0);
    std::string create;
    if (!FormatNodeCommand("IDataTableCreationCommand", create_format, id, 1,
                           &create)) {
      ok = false;
      break;
    }
    std::string error;
    if (!FileExec(file, create.c_str(), &error)) {
      printf("ERROR: SQL query failed: %s (%s)\n", create.c_str(),
             error.c_str());
      ok = false;
      break;
    }
    char table[64];
    snprintf(table, sizeof table, "idata_%d", id);
    ok = ExportTable(file, table);
  }
  DBFreeResult(nodes);
  return ok;
}

// Builds the file from the schema script and exports every table.
bool ExportAll(sqlite3* file) {
  std::string path;
  if (!GetSchemaScriptPath(&path)) {
    printf("ERROR: unable to determine path to schema file\n");
    return false;
  }
  uint32_t size = 0;
  char* script = LoadFile(path.c_str(), &size);
  if (script == nullptr) {
    printf("ERROR: cannot load schema file \"%s\"\n", path.c_str());
    return false;
  }
  std::string error;
  bool applied = FileExec(file, script, &error);
  free(script);
  if (!applied) {
    printf("ERROR: unable to apply database schema: %s\n", error.c_str());
    return false;
  }
  int version = 0;
  if (!FileSelect(file,
                  "SELECT var_value FROM metadata WHERE "
                  "var_name='SchemaVersion'",
                  IntValueCallback, &version)) {
    return false;
  }
  int database_version = DBGetSchemaVersion(g_hDbConnection);
  if (ReportConnectionLost()) return false;
  if (version != database_version) {
    printf(
        "ERROR: Schema version mismatch between dbschema_sqlite.sql and "
        "your database. Please check that Orvane server installed "
        "correctly.\n");
    return false;
  }
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    if (!ExportTable(file, g_apszCoreTables[i])) return false;
  }
  return ExportNodeDataTables(file);
}

}  // namespace

int IntValueCallback(void* context, int, char** values, char**) {
  if (values[0] != nullptr) {
    *static_cast<int*>(context) =
        static_cast<int>(strtol(values[0], nullptr, 10));
  }
  return 0;
}

int TextValueCallback(void* context, int, char** values, char**) {
  if (values[0] != nullptr) {
    snprintf(static_cast<char*>(context), 256, "%s", values[0]);
  }
  return 0;
}

bool ExportTable(sqlite3* file, const char* table) {
  printf("Exporting table %s\n", table);
  std::string error;
  if (!FileExec(file, "BEGIN", &error)) {
    printf("ERROR: Cannot start transaction: %s\n", error.c_str());
    return false;
  }
  char select[256];
  snprintf(select, sizeof select, "SELECT * FROM %s", table);
  bool ok = false;
  db_async_result_t source = ExecSelectUnbuffered(select);
  if (source != nullptr) {
    ProgressStart();
    ok = CopyRows(file, source, table, select);
    ProgressClear();
    DBFreeAsyncResult(g_hDbConnection, source);
  }
  if (ok) {
    if (FileExec(file, "COMMIT", &error)) return true;
    printf("ERROR: Cannot commit transaction: %s\n", error.c_str());
  }
  // After a full disk or an I/O error SQLite has ended the transaction
  // itself, and a ROLLBACK would only fail.
  if (!sqlite3_get_autocommit(file) && !FileExec(file, "ROLLBACK", &error)) {
    printf("ERROR: Cannot rollback transaction: %s\n", error.c_str());
  }
  return false;
}

void DoExport(const char* file) {
  if (!CheckSchemaAndLock()) return;
  unlink(file);
  sqlite3* db = nullptr;
  if (driver::OpenSqlite(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                         &db) != SQLITE_OK) {
    sqlite3_close(db);
    printf("ERROR: unable to open output file\n");
    return;
  }
  // Writes need not wait for the disk: only a crash of the machine, not of
  // this process, can lose them. The rollback journal stays, so that a
  // failed table leaves none of its rows.
  sqlite3_exec(db, "PRAGMA synchronous=OFF; PRAGMA cache_size=-16384", nullptr,
               nullptr, nullptr);
  bool success = ExportAll(db);
  sqlite3_close(db);
  printf(success ? "Database export complete.\n" : "Database export failed.\n");
}
