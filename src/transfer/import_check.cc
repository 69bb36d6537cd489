#include "transfer/import_check.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>

#include "db/exec.h"
#include "front/globals.h"
#include "transfer/core_tables.h"
#include "transfer/create_table_columns.h"

namespace {

struct StmtFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using FileStmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

bool IsPlainIdentifier(const std::string& name) {
  if (name.empty() || name.size() > 63) return false;
  if (!isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_') {
    return false;
  }
  for (char c : name) {
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

// Returns a name from the file fit to be printed: bytes outside printable
// ASCII as \xNN.
std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out;
}

// Stores the names of the file's tables, in lower case, in *tables.
bool ReadFileTables(sqlite3* file, std::set<std::string>* tables) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(file,
                         "SELECT name FROM sqlite_master WHERE type='table'",
                         -1, &raw, nullptr) != SQLITE_OK) {
    printf("ERROR: SQL query failed (%s)\n", sqlite3_errmsg(file));
    sqlite3_finalize(raw);
    return false;
  }
  FileStmt stmt(raw);
  int rc;
  while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    const unsigned char* name = sqlite3_column_text(raw, 0);
    if (name != nullptr)
      tables->insert(Lower(reinterpret_cast<const char*>(name)));
  }
  if (rc != SQLITE_DONE) {
    printf("ERROR: SQL query failed (%s)\n", sqlite3_errmsg(file));
    return false;
  }
  return true;
}

// Stores the column names of the file's table in *columns; prints why not.
bool ReadFileTableColumns(sqlite3* file, const std::string& table,
                          std::vector<std::string>* columns) {
  std::string select = "SELECT * FROM " + table;
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(file, select.c_str(), -1, &raw, nullptr) !=
      SQLITE_OK) {
    printf("ERROR: SQL query \"%s\" on import file failed (%s)\n",
           select.c_str(), sqlite3_errmsg(file));
    sqlite3_finalize(raw);
    return false;
  }
  FileStmt stmt(raw);
  return ReadFileColumns(raw, table.c_str(), columns);
}

// Stores the column names of the database's table, in lower case, in
// *columns. Prints the failure.
bool ReadDatabaseColumns(const char* table, std::set<std::string>* columns) {
  char probe[256];
  snprintf(probe, sizeof probe, "SELECT * FROM %s WHERE 1=0", table);
  char error[DBERR_BUFFER_SIZE] = "";
  db_async_result_t result = DBAsyncSelectEx(g_hDbConnection, probe, error);
  if (result == nullptr) {
    PrintQueryError(error, probe);
    return false;
  }
  for (int i = 0; i < DBGetColumnCountAsync(result); i++) {
    char name[256];
    DBGetColumnNameAsync(result, i, name, sizeof name);
    columns->insert(Lower(name));
  }
  while (DBFetch(result)) {
  }
  DBFreeAsyncResult(g_hDbConnection, result);
  return true;
}

// Checks the file's core tables against the database's.
bool CheckCoreTables(sqlite3* file, const std::set<std::string>& file_tables) {
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    const char* table = g_apszCoreTables[i];
    if (file_tables.count(table) == 0) {
      printf("ERROR: table %s is missing from the import file\n", table);
      return false;
    }
    std::vector<std::string> columns;
    std::set<std::string> target;
    if (!ReadFileTableColumns(file, table, &columns) ||
        !ReadDatabaseColumns(table, &target)) {
      return false;
    }
    for (const std::string& column : columns) {
      if (target.count(Lower(column)) == 0) {
        printf(
            "ERROR: table %s of the database has no column \"%s\" of the "
            "import file\n",
            table, column.c_str());
        return false;
      }
    }
  }
  return true;
}

// Stores the ids the file's nodes lists in *ids, as the database will read
// them back.
bool ReadFileNodes(sqlite3* file, std::vector<int32_t>* ids) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(file, "SELECT id FROM nodes", -1, &raw, nullptr) !=
      SQLITE_OK) {
    printf(
        "ERROR: SQL query \"SELECT id FROM nodes\" on import file failed "
        "(%s)\n",
        sqlite3_errmsg(file));
    sqlite3_finalize(raw);
    return false;
  }
  FileStmt stmt(raw);
  int rc;
  while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    ids->push_back(static_cast<int32_t>(sqlite3_column_int64(raw, 0)));
  }
  if (rc != SQLITE_DONE) {
    printf(
        "ERROR: SQL query \"SELECT id FROM nodes\" on import file failed "
        "(%s)\n",
        sqlite3_errmsg(file));
    return false;
  }
  return true;
}

// Checks that the per-node statements can be filled in for node id, and
// stores the columns its table will have in *columns.
bool CheckNodeTableFormats(const NodeTableFormats& formats, int32_t id,
                           std::set<std::string>* columns) {
  std::string statement;
  if (!FormatNodeCommand("IDataTableCreationCommand", formats.create.c_str(),
                         id, 1, &statement)) {
    return false;
  }
  std::string table;
  std::vector<std::string> names;
  if (!ReadCreateTableColumns(statement, &table, &names) ||
      Lower(table) != "idata_" + std::to_string(id)) {
    printf(
        "ERROR: IDataTableCreationCommand \"%s\" does not create a table "
        "idata_<id> with a list of its columns\n",
        formats.create.c_str());
    return false;
  }
  for (const std::string& name : names) columns->insert(Lower(name));
  for (size_t k = 0; k < formats.indexes.size(); k++) {
    if (!FormatNodeCommand(IndexCommandName(k).c_str(),
                           formats.indexes[k].c_str(), id, 2, &statement)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ReadFileColumns(sqlite3_stmt* stmt, const char* table,
                     std::vector<std::string>* columns) {
  columns->clear();
  for (int i = 0; i < sqlite3_column_count(stmt); i++) {
    const char* raw = sqlite3_column_name(stmt, i);
    std::string name = raw != nullptr ? raw : "";
    if (!IsPlainIdentifier(name)) {
      printf(
          "ERROR: column name \"%s\" of table %s in the import file is "
          "not a plain identifier\n",
          Printable(name).c_str(), table);
      return false;
    }
    columns->push_back(name);
  }
  return true;
}

bool CheckImportFile(sqlite3* file, const NodeTableFormats& formats) {
  std::set<std::string> file_tables;
  if (!ReadFileTables(file, &file_tables) ||
      !CheckCoreTables(file, file_tables)) {
    return false;
  }
  std::vector<int32_t> nodes;
  if (!ReadFileNodes(file, &nodes)) return false;
  std::set<std::string> node_columns;
  if (!CheckNodeTableFormats(formats, nodes.empty() ? 1 : nodes[0],
                             &node_columns)) {
    return false;
  }
  for (int32_t id : nodes) {
    std::string table = "idata_" + std::to_string(id);
    if (file_tables.count(table) == 0) {
      printf("ERROR: table %s of node %d is missing from the import file\n",
             table.c_str(), id);
      return false;
    }
    std::vector<std::string> columns;
    if (!ReadFileTableColumns(file, table, &columns)) return false;
    for (const std::string& column : columns) {
      if (node_columns.count(Lower(column)) == 0) {
        printf(
            "ERROR: the per-node tables that IDataTableCreationCommand makes "
            "have no column \"%s\" of table %s in the import file\n",
            column.c_str(), table.c_str());
        return false;
      }
    }
  }
  return true;
}
