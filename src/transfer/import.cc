#include "transfer/import.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "db/driver/sqlite_open.h"
#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"
#include "transfer/clear.h"
#include "transfer/core_tables.h"
#include "transfer/export.h"
#include "transfer/import_check.h"
#include "transfer/node_command.h"
#include "transfer/progress.h"

namespace {

struct StmtFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};

// The values of the file's current row, as the database receives them.
class FileRow {
 public:
  explicit FileRow(int columns)
      : pointers_(static_cast<size_t>(columns)),
        lengths_(static_cast<size_t>(columns)),
        numbers_(static_cast<size_t>(columns)) {}

  void Read(sqlite3_stmt* stmt) {
    for (size_t i = 0; i < pointers_.size(); i++) {
      int column = static_cast<int>(i);
      switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_NULL:
          pointers_[i] = nullptr;
          lengths_[i] = 0;
          break;
        case SQLITE_FLOAT: {
          // SQLite's own text of a real keeps 15 digits; 17 read back
          // as the same number.
          char text[40];
          snprintf(text, sizeof text, "%.17g",
                   sqlite3_column_double(stmt, column));
          numbers_[i] = text;
          pointers_[i] = numbers_[i].c_str();
          lengths_[i] = numbers_[i].size();
          break;
        }
        case SQLITE_BLOB:
          pointers_[i] =
              static_cast<const char*>(sqlite3_column_blob(stmt, column));
          lengths_[i] = static_cast<size_t>(sqlite3_column_bytes(stmt, column));
          if (pointers_[i] == nullptr) pointers_[i] = "";
          break;
        default:
          pointers_[i] =
              reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
          lengths_[i] = static_cast<size_t>(sqlite3_column_bytes(stmt, column));
          if (pointers_[i] == nullptr) pointers_[i] = "";
          break;
      }
    }
  }

  const char* const* values() const { return pointers_.data(); }
  const size_t* lengths() const { return lengths_.data(); }

  // Appends the values as literals of the database, NULL for a null.
  // Returns the index of the first value holding a NUL byte, which the
  // text of a statement cannot carry (it would end the value there), or -1.
  int AppendLiterals(std::string* sql) const {
    for (size_t i = 0; i < pointers_.size(); i++) {
      if (i > 0) *sql += ',';
      if (pointers_[i] == nullptr) {
        *sql += "NULL";
      } else if (memchr(pointers_[i], 0, lengths_[i]) != nullptr) {
        return static_cast<int>(i);
      } else {
        std::string value(pointers_[i], lengths_[i]);
        *sql += DBPrepareString(g_hDbConnection, value.c_str()).str();
      }
    }
    return -1;
  }

 private:
  std::vector<const char*> pointers_;
  std::vector<size_t> lengths_;
  std::vector<std::string> numbers_;
};

// Runs one INSERT as ExecQuery does, clearing the progress line before a
// failure is reported.
bool RunInsert(const std::string& sql) {
  if (g_bShowQueries) return ExecQuery(sql.c_str());
  char error[DBERR_BUFFER_SIZE] = "";
  if (DBQueryEx(g_hDbConnection, sql.c_str(), error)) return true;
  ProgressClear();
  PrintQueryError(error, sql.c_str());
  return false;
}

enum CopyOutcome { COPY_DONE, COPY_FAILED, COPY_BULK_FAILED };

void PrintFileQueryFailed(const char* select, const char* error) {
  ProgressClear();
  printf("ERROR: SQL query \"%s\" on import file failed (%s)\n", select, error);
}

// Copies the rows of the file's select into the database: through the bulk
// path when bulk is set and the backend has one, else one INSERT per row
// through the execution layer (echoed under -t, each failure reported with
// its statement). On COPY_BULK_FAILED nothing has been printed yet.
CopyOutcome CopyRows(sqlite3* file, sqlite3_stmt* stmt, const char* table,
                     const char* select,
                     const std::vector<std::string>& columns, bool bulk_wanted,
                     std::string* bulk_error) {
  int count = static_cast<int>(columns.size());
  FileRow row(count);
  char error[DBERR_BUFFER_SIZE] = "";
  db_bulk_t bulk = nullptr;
  if (bulk_wanted) {
    bulk = DBBulkInsertStart(g_hDbConnection, table, columns, error);
    if (bulk == nullptr && error[0] != 0) {
      *bulk_error = error;
      return COPY_BULK_FAILED;
    }
  }
  std::string prefix = std::string("INSERT INTO ") + table + " (";
  for (int i = 0; i < count; i++) {
    prefix += (i > 0 ? "," : "") + columns[static_cast<size_t>(i)];
  }
  prefix += ") VALUES (";
  std::string sql;
  CopyOutcome outcome = COPY_DONE;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    row.Read(stmt);
    if (bulk != nullptr) {
      if (!DBBulkInsertRow(bulk, row.values(), row.lengths(), error)) {
        *bulk_error = error;
        outcome = COPY_BULK_FAILED;
        break;
      }
    } else {
      sql = prefix;
      int nul = row.AppendLiterals(&sql);
      if (nul >= 0) {
        ProgressClear();
        printf(
            "ERROR: value of column %s in table %s holds a NUL byte, which "
            "an SQL statement cannot carry\n",
            columns[static_cast<size_t>(nul)].c_str(), table);
        PrintFileQueryFailed(select, "query aborted");
        outcome = COPY_FAILED;
        break;
      }
      sql += ")";
      if (!RunInsert(sql)) {
        PrintFileQueryFailed(select, "query aborted");
        outcome = COPY_FAILED;
        break;
      }
    }
    ProgressRow();
  }
  if (outcome == COPY_DONE && rc != SQLITE_DONE) {
    if (bulk != nullptr) DBBulkInsertFree(bulk);
    PrintFileQueryFailed(select, sqlite3_errmsg(file));
    return COPY_FAILED;
  }
  if (bulk != nullptr) {
    if (outcome == COPY_DONE && !DBBulkInsertFinish(bulk, error)) {
      *bulk_error = error;
      outcome = COPY_BULK_FAILED;
    }
    DBBulkInsertFree(bulk);
  }
  return outcome;
}

// Runs the file's select for table and copies its rows; see CopyRows.
CopyOutcome CopyTable(sqlite3* file, const char* table, bool bulk_wanted,
                      std::string* bulk_error) {
  char select[256];
  snprintf(select, sizeof select, "SELECT * FROM %s", table);
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(file, select, -1, &raw, nullptr) != SQLITE_OK) {
    PrintFileQueryFailed(select, sqlite3_errmsg(file));
    sqlite3_finalize(raw);
    return COPY_FAILED;
  }
  std::unique_ptr<sqlite3_stmt, StmtFinalizer> stmt(raw);
  std::vector<std::string> columns;
  if (!ReadFileColumns(stmt.get(), table, &columns)) return COPY_FAILED;
  ProgressStart();
  CopyOutcome outcome = CopyRows(file, stmt.get(), table, select, columns,
                                 bulk_wanted, bulk_error);
  ProgressClear();
  return outcome;
}

bool ImportAll(sqlite3* file) {
  int version = 0;
  char* message = nullptr;
  if (sqlite3_exec(file,
                   "SELECT var_value FROM metadata WHERE "
                   "var_name='SchemaVersion'",
                   IntValueCallback, &version, &message) != SQLITE_OK) {
    printf("ERROR: SQL query failed (%s)\n",
           message != nullptr ? message : sqlite3_errmsg(file));
    sqlite3_free(message);
    return false;
  }
  if (version != DB_FORMAT_VERSION) {
    printf(
        "ERROR: Import file was created for database format version %d, "
        "but this tool was compiled for database format version %d\n",
        version, DB_FORMAT_VERSION);
    return false;
  }
  // Everything that can be known without writing is checked before the
  // clearing, so that a file that cannot load whole leaves the database as
  // it was.
  NodeTableFormats formats;
  if (!CheckSchemaAndLock() || !ReadNodeTableFormats(&formats) ||
      !CheckImportFile(file, formats) || !ClearValidatedDatabase()) {
    return false;
  }
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    if (!ImportTable(file, g_apszCoreTables[i])) return false;
  }
  return ImportNodeDataTables(file, formats);
}

// Stores the one value of a count query in *count.
int StoreCount(void* count, int, char** values, char**) {
  *static_cast<long*>(count) = values[0] != nullptr ? atol(values[0]) : 0;
  return 0;
}

// Opens the file read-only and makes sure it is an SQLite database whose
// objects are plain tables and indexes. A view or a virtual table in place
// of a table could compute rows without end (a recursive view), so such a
// file is refused before anything is read from it.
sqlite3* OpenImportFile(const char* path) {
  sqlite3* file = nullptr;
  if (driver::OpenSqlite(path, SQLITE_OPEN_READONLY, &file) != SQLITE_OK) {
    sqlite3_close(file);
    return nullptr;
  }
  long computed = -1;
  if (sqlite3_exec(file,
                   "SELECT count(*) FROM sqlite_master WHERE type NOT IN "
                   "('table','index','trigger') OR (type='table' AND "
                   "sql LIKE 'CREATE VIRTUAL%')",
                   StoreCount, &computed, nullptr) != SQLITE_OK ||
      computed != 0) {
    sqlite3_close(file);
    return nullptr;
  }
  return file;
}

}  // namespace

namespace {

bool BeginTableTransaction() {
  if (DBBegin(g_hDbConnection)) return true;
  printf("ERROR: unable to start transaction in target database\n");
  PrintDatabaseText(DBGetLastError(g_hDbConnection));
  return false;
}

}  // namespace

bool ImportTable(sqlite3* file, const char* table) {
  printf("Importing table %s\n", table);
  if (!BeginTableTransaction()) return false;
  std::string bulk_error;
  CopyOutcome outcome = CopyTable(file, table, !g_bShowQueries, &bulk_error);
  if (outcome == COPY_BULK_FAILED && ConnectionLost()) {
    // Nothing reaches the database any more, so the copy cannot be tried
    // again row by row: the fast path's failure is all there is to say.
    printf("ERROR: unable to copy table %s into target database\n", table);
    PrintDatabaseText(bulk_error.c_str());
    return false;
  }
  if (outcome == COPY_BULK_FAILED) {
    // The fast path cannot say which row failed: copy the table again row
    // by row, so that the failing row is reported with its statement.
    DBRollback(g_hDbConnection);
    if (!BeginTableTransaction()) return false;
    outcome = CopyTable(file, table, false, &bulk_error);
  }
  if (outcome != COPY_DONE) {
    DBRollback(g_hDbConnection);
    return false;
  }
  if (!DBCommit(g_hDbConnection)) {
    printf("ERROR: unable to commit transaction in target database\n");
    PrintDatabaseText(DBGetLastError(g_hDbConnection));
    return false;
  }
  return true;
}

bool ImportNodeDataTables(sqlite3* file, const NodeTableFormats& formats) {
  db_result_t nodes = ExecSelect("SELECT id FROM nodes");
  if (nodes == nullptr) return false;
  bool ok = true;
  int rows = DBGetNumRows(nodes);
  for (int i = 0; ok && i < rows; i++) {
    long id = static_cast<int32_t>(DBGetFieldULong(nodes, i, 0));
    std::string statement;
    if (!FormatNodeCommand("IDataTableCreationCommand", formats.create.c_str(),
                           id, 1, &statement) ||
        !ExecQuery(statement.c_str())) {
      ok = false;
      break;
    }
    for (size_t k = 0; ok && k < formats.indexes.size(); k++) {
      ok = FormatNodeCommand(IndexCommandName(k).c_str(),
                             formats.indexes[k].c_str(), id, 2, &statement) &&
           ExecQuery(statement.c_str());
    }
    if (!ok) break;
    char table[64];
    snprintf(table, sizeof table, "idata_%ld", id);
    ok = ImportTable(file, table);
  }
  DBFreeResult(nodes);
  return ok;
}

void DoImport(const char* file) {
  sqlite3* db = OpenImportFile(file);
  if (db == nullptr) {
    printf("ERROR: unable to open output file\nDatabase import failed.\n");
    return;
  }
  bool success = ImportAll(db);
  sqlite3_close(db);
  printf(success ? "Database import complete.\n" : "Database import failed.\n");
}
