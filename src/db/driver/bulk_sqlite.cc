// SQLite bulk insert: one prepared statement, rebound for every row.

#include <sqlite3.h>

#include "db/driver/bulk.h"

namespace driver {

std::string InsertPrefix(const std::string& table,
                         const std::vector<std::string>& columns) {
  std::string sql = "INSERT INTO " + table + " (";
  for (size_t i = 0; i < columns.size(); i++) {
    if (i > 0) sql += ',';
    sql += columns[i];
  }
  sql += ") VALUES ";
  return sql;
}

namespace {

class SqliteBulkInsert : public BulkInsert {
 public:
  SqliteBulkInsert(sqlite3* db, sqlite3_stmt* stmt, int columns)
      : db_(db), stmt_(stmt), columns_(columns) {}
  ~SqliteBulkInsert() override { sqlite3_finalize(stmt_); }

  bool AddRow(const char* const* values, const size_t* lengths,
              std::string* error) override {
    for (int i = 0; i < columns_; i++) {
      int rc = values[i] == nullptr
                   ? sqlite3_bind_null(stmt_, i + 1)
                   : sqlite3_bind_text64(stmt_, i + 1, values[i], lengths[i],
                                         SQLITE_STATIC, SQLITE_UTF8);
      if (rc != SQLITE_OK) return Fail(error);
    }
    int rc = sqlite3_step(stmt_);
    sqlite3_reset(stmt_);
    if (rc != SQLITE_DONE) return Fail(error);
    return true;
  }

  bool Finish(std::string*) override { return true; }

 private:
  bool Fail(std::string* error) {
    *error = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    return false;
  }

  sqlite3* db_;
  sqlite3_stmt* stmt_;
  int columns_;
};

}  // namespace

std::unique_ptr<BulkInsert> MakeSqliteBulkInsert(
    sqlite3* db, const std::string& table,
    const std::vector<std::string>& columns, std::string* error) {
  std::string sql = InsertPrefix(table, columns) + "(";
  for (size_t i = 0; i < columns.size(); i++) sql += i > 0 ? ",?" : "?";
  sql += ")";
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt,
                         nullptr) != SQLITE_OK) {
    *error = sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
    return nullptr;
  }
  return std::make_unique<SqliteBulkInsert>(db, stmt,
                                            static_cast<int>(columns.size()));
}

}  // namespace driver
