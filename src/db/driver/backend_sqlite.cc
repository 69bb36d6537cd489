// The sqlite backend: the embedded database, one file named by DBName.
// Options (DBDrvParams): busy_timeout=MILLISECONDS (default 5000), how long
// a statement waits for another process's lock before it fails.

#include <sqlite3.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "db/driver/backend.h"
#include "db/driver/bulk.h"
#include "db/driver/sqlite_open.h"
#include "db/driver/statement_shape.h"
#include "db/driver/syntax.h"

namespace driver {
namespace {

struct SqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

Value ColumnValue(sqlite3_stmt* stmt, int column) {
  if (sqlite3_column_type(stmt, column) == SQLITE_NULL) return std::nullopt;
  const char* text =
      reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  int length = sqlite3_column_bytes(stmt, column);
  return std::string(text != nullptr ? text : "", static_cast<size_t>(length));
}

class SqliteCursor : public Cursor {
 public:
  SqliteCursor(sqlite3* db, SqliteStmt stmt)
      : db_(db), stmt_(std::move(stmt)) {}

  bool Fetch() override {
    if (done_) return false;
    int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW) return true;
    done_ = true;
    if (rc != SQLITE_DONE) error_ = sqlite3_errmsg(db_);
    return false;
  }
  int ColumnCount() const override { return sqlite3_column_count(stmt_.get()); }
  std::string ColumnName(int column) const override {
    const char* name = sqlite3_column_name(stmt_.get(), column);
    return name != nullptr ? name : "";
  }
  Value Field(int column) const override {
    if (done_ || column < 0 || column >= ColumnCount()) return std::nullopt;
    return ColumnValue(stmt_.get(), column);
  }
  FieldView View(int column, std::string*) const override {
    FieldView view;
    if (done_ || column < 0 || column >= ColumnCount()) return view;
    sqlite3_stmt* stmt = stmt_.get();
    switch (sqlite3_column_type(stmt, column)) {
      case SQLITE_NULL:
        break;
      case SQLITE_INTEGER:
        view.kind = FieldView::kInteger;
        view.integer = sqlite3_column_int64(stmt, column);
        break;
      case SQLITE_FLOAT:
        view.kind = FieldView::kReal;
        view.real = sqlite3_column_double(stmt, column);
        break;
      default: {
        // Texts and blobs, both as the bytes the text accessor gives.
        const char* text =
            reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        view.kind = FieldView::kText;
        view.text = text != nullptr ? text : "";
        view.length = static_cast<size_t>(sqlite3_column_bytes(stmt, column));
      }
    }
    return view;
  }
  const std::string& error() const override { return error_; }

 private:
  sqlite3* db_;
  SqliteStmt stmt_;
  bool done_ = false;
  std::string error_;
};

class SqliteConnection : public Connection {
 public:
  explicit SqliteConnection(SqliteDb db) : db_(std::move(db)) {}

  bool ExecutesStatementLists() const override { return true; }

  bool Execute(const std::string& sql, std::string* error) override {
    bool in_transaction = !sqlite3_get_autocommit(db_.get());
    const char* tail = sql.c_str();
    const char* end = tail + sql.size();
    while (tail < end) {
      sqlite3_stmt* raw = nullptr;
      const char* next = nullptr;
      int rc = sqlite3_prepare_v2(db_.get(), tail, static_cast<int>(end - tail),
                                  &raw, &next);
      SqliteStmt stmt(raw);
      if (rc != SQLITE_OK) return Fail(in_transaction, error);
      tail = next;
      if (stmt == nullptr) continue;  // blanks or a lone semicolon
      while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
      }
      if (rc != SQLITE_DONE) return Fail(in_transaction, error);
    }
    return true;
  }

  bool Select(const std::string& sql, BufferedResult* out,
              std::string* error) override {
    out->columns.clear();
    out->rows.clear();
    std::string shape;
    std::vector<int64_t> values;
    if (ShapeSelect(sql, &shape, &values)) {
      return SelectShaped(shape, values, out, error);
    }
    std::unique_ptr<Cursor> cursor = SelectUnbuffered(sql, error);
    return cursor != nullptr && FetchAll(cursor.get(), out, error);
  }

  std::unique_ptr<Cursor> SelectUnbuffered(const std::string& sql,
                                           std::string* error) override {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db_.get(), sql.c_str(),
                                static_cast<int>(sql.size()), &raw, nullptr);
    SqliteStmt stmt(raw);
    if (rc != SQLITE_OK) {
      *error = sqlite3_errmsg(db_.get());
      return nullptr;
    }
    if (stmt == nullptr) {
      *error = "empty query";
      return nullptr;
    }
    return std::make_unique<SqliteCursor>(db_.get(), std::move(stmt));
  }

  bool Begin(std::string* error) override {
    transaction_lost_ = false;
    return Execute("BEGIN", error);
  }

  bool Commit(std::string* error) override {
    if (transaction_lost_) {
      transaction_lost_ = false;
      // Undoes what came after the loss with it (see Fail).
      if (!sqlite3_get_autocommit(db_.get())) {
        sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
      }
      *error = kLostTransaction;
      return false;
    }
    return Execute("COMMIT", error);
  }

  // SQLite rolls a whole transaction back by itself after some errors
  // (disk full, I/O errors); a ROLLBACK then would only fail.
  bool Rollback(std::string* error) override {
    transaction_lost_ = false;
    if (sqlite3_get_autocommit(db_.get())) return true;
    return Execute("ROLLBACK", error);
  }

  int NativeSyntax() override { return SYNTAX_SQLITE; }

  std::unique_ptr<BulkInsert> StartBulkInsert(
      const std::string& table, const std::vector<std::string>& columns,
      std::string* error) override {
    return MakeSqliteBulkInsert(db_.get(), table, columns, error);
  }

  std::string Quote(const std::string& text) override {
    std::string quoted = "'";
    for (char c : text) {
      if (c == '\'') quoted += '\'';
      quoted += c;
    }
    quoted += '\'';
    return quoted;
  }

 private:
  static constexpr const char* kLostTransaction =
      "the transaction was rolled back by the database after an earlier "
      "error; nothing of it was committed";

  // Reports a failed statement. Some failures (disk full, I/O errors) make
  // SQLite roll back the whole transaction; remember that so that the
  // commit cannot report success.
  bool Fail(bool in_transaction, std::string* error) {
    *error = sqlite3_errmsg(db_.get());
    if (in_transaction && sqlite3_get_autocommit(db_.get())) {
      transaction_lost_ = true;
      // What the caller sends until it ends its transaction still belongs
      // to it: a new transaction holds it, so that it is undone with the
      // rest instead of being committed statement by statement.
      sqlite3_exec(db_.get(), "BEGIN", nullptr, nullptr, nullptr);
    }
    return false;
  }

  // Runs a query that differs from earlier ones only by its numbers with
  // the statement prepared for its shape, binding the numbers.
  bool SelectShaped(const std::string& shape,
                    const std::vector<int64_t>& values, BufferedResult* out,
                    std::string* error) {
    auto it = shaped_.find(shape);
    if (it == shaped_.end()) {
      sqlite3_stmt* raw = nullptr;
      int rc =
          sqlite3_prepare_v2(db_.get(), shape.c_str(),
                             static_cast<int>(shape.size()), &raw, nullptr);
      SqliteStmt stmt(raw);
      if (rc != SQLITE_OK || stmt == nullptr ||
          sqlite3_bind_parameter_count(raw) !=
              static_cast<int>(values.size())) {
        *error = rc != SQLITE_OK ? sqlite3_errmsg(db_.get()) : "empty query";
        return false;
      }
      if (shaped_.size() >= kShapedStatements) shaped_.clear();
      it = shaped_.emplace(shape, std::move(stmt)).first;
    }
    sqlite3_stmt* stmt = it->second.get();
    for (size_t i = 0; i < values.size(); i++) {
      sqlite3_bind_int64(stmt, static_cast<int>(i + 1), values[i]);
    }
    int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; c++) {
      const char* name = sqlite3_column_name(stmt, c);
      out->columns.push_back(name != nullptr ? name : "");
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      std::vector<Value> row;
      row.reserve(static_cast<size_t>(columns));
      for (int c = 0; c < columns; c++) row.push_back(ColumnValue(stmt, c));
      out->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) *error = sqlite3_errmsg(db_.get());
    sqlite3_reset(stmt);
    return rc == SQLITE_DONE;
  }

  // Prepared statements kept by shape; forgotten all at once when full.
  static constexpr size_t kShapedStatements = 64;

  SqliteDb db_;
  bool transaction_lost_ = false;
  // Declared after db_: the statements are finalized before it closes.
  std::map<std::string, SqliteStmt> shaped_;
};

class SqliteBackend : public Backend {
 public:
  const char* name() const override { return "sqlite"; }

  std::unique_ptr<Connection> Connect(const ConnectParams& params,
                                      std::string* error) override {
    int busy_timeout_ms = 5000;
    std::vector<std::pair<std::string, std::string>> options;
    if (!ParseOptions(params.options, &options, error)) return nullptr;
    for (const auto& option : options) {
      if (option.first == "busy_timeout") {
        char* end = nullptr;
        long value = strtol(option.second.c_str(), &end, 10);
        if (option.second.empty() || *end != 0 || value < 0 ||
            value > 3600000) {
          *error = "sqlite: busy_timeout must be 0 to 3600000 milliseconds";
          return nullptr;
        }
        busy_timeout_ms = static_cast<int>(value);
      } else {
        *error = "sqlite: unknown option \"" + option.first + "\"";
        return nullptr;
      }
    }
    if (params.name.empty()) {
      *error = "sqlite: DBName must name the database file";
      return nullptr;
    }
    int flags =
        SQLITE_OPEN_READWRITE | (params.allow_create ? SQLITE_OPEN_CREATE : 0);
    sqlite3* raw = nullptr;
    int rc = OpenSqlite(params.name.c_str(), flags, &raw);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) {
      *error = "sqlite: cannot open " + params.name + ": " +
               (db != nullptr ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc));
      return nullptr;
    }
    sqlite3_busy_timeout(db.get(), busy_timeout_ms);
    // Opening is lazy; read the schema now so that a file that is no
    // database fails the connection rather than the first command.
    char* message = nullptr;
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr,
                     nullptr, &message) != SQLITE_OK) {
      *error = "sqlite: " + params.name + ": " +
               (message != nullptr ? message : "unreadable database");
      sqlite3_free(message);
      return nullptr;
    }
    return std::make_unique<SqliteConnection>(std::move(db));
  }
};

}  // namespace

std::unique_ptr<Backend> MakeSqliteBackend() {
  return std::make_unique<SqliteBackend>();
}

}  // namespace driver
