// The odbc backend: any database with an ODBC driver (SQL Server, Oracle),
// through the unixODBC driver manager. DBServer names a data source (DSN),
// used with DBLogin and DBPassword; or DBDrvParams holds a full connection
// string ("Driver=...;Server=...;Database=..."), to which UID and PWD are
// added from DBLogin and DBPassword when it has none. Text travels as wide
// characters and reaches the tool as UTF-8; long values are read in pieces.
// Transactions switch the connection to manual commit. The database's own
// rules decide what a failed statement undoes: no savepoints are added.

#include <strings.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "db/driver/backend.h"
#include "db/driver/bulk.h"
#include "db/driver/odbc_handles.h"
#include "db/driver/syntax.h"

namespace driver {
namespace {

using odbc::DbcHandle;
using odbc::Diagnostics;
using odbc::EnvHandle;
using odbc::FromWide;
using odbc::StmtHandle;
using odbc::ToWide;

bool Ok(SQLRETURN rc) { return SQL_SUCCEEDED(rc); }

// Reads a column as bytes (UTF-8 for the drivers used narrow).
bool ReadNarrowColumn(SQLHSTMT stmt, SQLUSMALLINT column, Value* out,
                      std::string* error, bool* lost) {
  std::string text;
  char piece[8192];
  const SQLLEN room = sizeof piece - 1;  // less the zero
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc =
        SQLGetData(stmt, column, SQL_C_CHAR, piece, sizeof piece, &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!Ok(rc)) {
      *error = Diagnostics(SQL_HANDLE_STMT, stmt, "SQLGetData failed", lost);
      return false;
    }
    if (indicator == SQL_NULL_DATA) {
      *out = std::nullopt;
      return true;
    }
    bool more = indicator == SQL_NO_TOTAL || indicator > room;
    text.append(piece, static_cast<size_t>(more ? room : indicator));
    if (!more) break;
  }
  *out = std::move(text);
  return true;
}

// Reads column (from 1) of the current row whole, in pieces, as wide text
// (or as bytes when wide is false). Returns false and fills *error on
// failure; *lost is set when the failure was the loss of the connection.
bool ReadColumn(SQLHSTMT stmt, SQLUSMALLINT column, bool wide, Value* out,
                std::string* error, bool* lost) {
  if (!wide) return ReadNarrowColumn(stmt, column, out, error, lost);
  std::basic_string<SQLWCHAR> text;
  SQLWCHAR piece[4096];
  const SQLLEN room = sizeof piece - sizeof(SQLWCHAR);  // less the zero
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc =
        SQLGetData(stmt, column, SQL_C_WCHAR, piece, sizeof piece, &indicator);
    if (rc == SQL_NO_DATA) break;  // the previous piece was the last
    if (!Ok(rc)) {
      *error = Diagnostics(SQL_HANDLE_STMT, stmt, "SQLGetData failed", lost);
      return false;
    }
    if (indicator == SQL_NULL_DATA) {
      *out = std::nullopt;
      return true;
    }
    bool more = indicator == SQL_NO_TOTAL || indicator > room;
    SQLLEN bytes = more ? room : indicator;
    text.append(piece, static_cast<size_t>(bytes) / sizeof(SQLWCHAR));
    if (!more) break;
  }
  *out = FromWide(text.data(), text.size());
  return true;
}

// Returns the names of the result's columns, or fills *error.
bool ReadColumnNames(SQLHSTMT stmt, std::vector<std::string>* names,
                     std::string* error, bool* lost) {
  SQLSMALLINT count = 0;
  if (!Ok(SQLNumResultCols(stmt, &count))) {
    *error =
        Diagnostics(SQL_HANDLE_STMT, stmt, "SQLNumResultCols failed", lost);
    return false;
  }
  names->clear();
  for (SQLSMALLINT c = 1; c <= count; c++) {
    SQLWCHAR name[256];
    SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!Ok(SQLDescribeColW(stmt, static_cast<SQLUSMALLINT>(c), name,
                            sizeof name / sizeof *name, &length, &type, &size,
                            &digits, &nullable))) {
      *error =
          Diagnostics(SQL_HANDLE_STMT, stmt, "SQLDescribeCol failed", lost);
      return false;
    }
    size_t used = static_cast<size_t>(length);
    if (used > sizeof name / sizeof *name - 1)
      used = sizeof name / sizeof *name - 1;
    names->push_back(FromWide(name, used));
  }
  return true;
}

class OdbcCursor : public Cursor {
 public:
  // *lost is the connection's mark of a lost link, set by a failed fetch.
  OdbcCursor(StmtHandle stmt, std::vector<std::string> columns, bool wide,
             bool* lost)
      : stmt_(std::move(stmt)),
        columns_(std::move(columns)),
        wide_(wide),
        lost_(lost) {}

  bool Fetch() override {
    row_.clear();
    if (done_) return false;
    SQLRETURN rc = SQLFetch(stmt_.get());
    if (rc == SQL_NO_DATA) {
      done_ = true;
      return false;
    }
    if (!Ok(rc)) {
      done_ = true;
      error_ =
          Diagnostics(SQL_HANDLE_STMT, stmt_.get(), "SQLFetch failed", lost_);
      return false;
    }
    // SQLGetData must read the columns in order; read them all now.
    row_.resize(columns_.size());
    for (size_t c = 0; c < columns_.size(); c++) {
      if (!ReadColumn(stmt_.get(), static_cast<SQLUSMALLINT>(c + 1), wide_,
                      &row_[c], &error_, lost_)) {
        done_ = true;
        row_.clear();
        return false;
      }
    }
    return true;
  }

  int ColumnCount() const override { return static_cast<int>(columns_.size()); }

  std::string ColumnName(int column) const override {
    if (column < 0 || column >= ColumnCount()) return "";
    return columns_[static_cast<size_t>(column)];
  }

  Value Field(int column) const override {
    if (column < 0 || static_cast<size_t>(column) >= row_.size()) {
      return std::nullopt;
    }
    return row_[static_cast<size_t>(column)];
  }

  const std::string& error() const override { return error_; }

 private:
  StmtHandle stmt_;
  std::vector<std::string> columns_;
  std::vector<Value> row_;
  bool wide_;
  bool* lost_;
  bool done_ = false;
  std::string error_;
};

int SyntaxOfDbms(const std::string& dbms) {
  struct {
    const char* prefix;
    int syntax;
  } const kNames[] = {
      {"Microsoft SQL Server", SYNTAX_MSSQL},
      {"Oracle", SYNTAX_ORACLE},
      {"PostgreSQL", SYNTAX_POSTGRESQL},
      {"MySQL", SYNTAX_MYSQL},
      {"MariaDB", SYNTAX_MYSQL},
      {"SQLite", SYNTAX_SQLITE},
  };
  for (const auto& name : kNames) {
    if (strncasecmp(dbms.c_str(), name.prefix, strlen(name.prefix)) == 0) {
      return name.syntax;
    }
  }
  return -1;
}

class OdbcConnection : public Connection {
 public:
  OdbcConnection(EnvHandle env, DbcHandle dbc)
      : env_(std::move(env)), dbc_(std::move(dbc)) {
    SQLWCHAR name[256] = {0};
    SQLSMALLINT length = 0;
    if (Ok(SQLGetInfoW(dbc_.get(), SQL_DBMS_NAME, name, sizeof name,
                       &length))) {
      size_t used = static_cast<size_t>(length) / sizeof(SQLWCHAR);
      if (used > sizeof name / sizeof *name - 1) {
        used = sizeof name / sizeof *name - 1;
      }
      syntax_ = SyntaxOfDbms(FromWide(name, used));
    }
    // The SQLite driver has no wide-character calls, and the driver
    // manager's conversion for it loses all but Latin-1; SQLite's own text
    // is UTF-8, which passes unchanged through the narrow calls.
    wide_ = syntax_ != SYNTAX_SQLITE;
  }

  ~OdbcConnection() override {
    // An open transaction is rolled back, not left to the driver's choice.
    if (in_transaction_) SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), SQL_ROLLBACK);
  }

  bool Execute(const std::string& sql, std::string* error) override {
    StmtHandle stmt;
    if (!Run(sql, &stmt, error)) return false;
    for (;;) {
      SQLRETURN rc = SQLMoreResults(stmt.get());
      if (rc == SQL_NO_DATA) return true;
      if (!Ok(rc)) {
        *error = Diagnostics(SQL_HANDLE_STMT, stmt.get(), "statement failed",
                             &lost_);
        return false;
      }
    }
  }

  bool Select(const std::string& sql, BufferedResult* out,
              std::string* error) override {
    out->columns.clear();
    out->rows.clear();
    std::unique_ptr<Cursor> cursor = SelectUnbuffered(sql, error);
    return cursor != nullptr && FetchAll(cursor.get(), out, error);
  }

  std::unique_ptr<Cursor> SelectUnbuffered(const std::string& sql,
                                           std::string* error) override {
    StmtHandle stmt;
    if (!Run(sql, &stmt, error)) return nullptr;
    std::vector<std::string> columns;
    if (!ReadColumnNames(stmt.get(), &columns, error, &lost_)) return nullptr;
    return std::make_unique<OdbcCursor>(std::move(stmt), std::move(columns),
                                        wide_, &lost_);
  }

  bool Begin(std::string* error) override {
    if (!SetAutocommit(false, error)) return false;
    in_transaction_ = true;
    return true;
  }

  bool Commit(std::string* error) override { return End(SQL_COMMIT, error); }

  bool Rollback(std::string* error) override {
    return End(SQL_ROLLBACK, error);
  }

  int NativeSyntax() override { return syntax_; }

  // A connection exception in a diagnostic record marks the link lost; so
  // does the driver, where it can tell, through SQL_ATTR_CONNECTION_DEAD.
  bool IsLost() override {
    if (!lost_) {
      SQLUINTEGER dead = SQL_CD_FALSE;
      lost_ = Ok(SQLGetConnectAttr(dbc_.get(), SQL_ATTR_CONNECTION_DEAD, &dead,
                                   SQL_IS_UINTEGER, nullptr)) &&
              dead == SQL_CD_TRUE;
    }
    return lost_;
  }

  std::unique_ptr<BulkInsert> StartBulkInsert(
      const std::string& table, const std::vector<std::string>& columns,
      std::string* error) override {
    return MakeOdbcBulkInsert(dbc_.get(), wide_, table, columns, &lost_, error);
  }

  // Doubled single quotes are the rule everywhere. PostgreSQL and MySQL
  // may also read backslashes as escapes, so a text holding one is written
  // in a form that reads it literally there.
  std::string Quote(const std::string& text) override {
    bool has_backslash = text.find('\\') != std::string::npos;
    bool double_backslash = has_backslash && (syntax_ == SYNTAX_POSTGRESQL ||
                                              syntax_ == SYNTAX_MYSQL);
    std::string quoted =
        double_backslash && syntax_ == SYNTAX_POSTGRESQL ? "E'" : "'";
    for (char c : text) {
      if (c == '\'' || (double_backslash && c == '\\')) quoted += c;
      quoted += c;
    }
    quoted += '\'';
    return quoted;
  }

 private:
  // Allocates a statement and runs sql on it. SQL_NO_DATA (an UPDATE that
  // touched no row) is success. Prepared rather than run directly: psqlODBC
  // guards a prepared statement with its own savepoint even when the text
  // does not parse, while a directly run one that does not parse loses the
  // whole transaction.
  bool Run(const std::string& sql, StmtHandle* stmt, std::string* error) {
    if (!stmt->Allocate(dbc_.get())) {
      *error = Diagnostics(SQL_HANDLE_DBC, dbc_.get(),
                           "cannot allocate an ODBC statement", &lost_);
      return false;
    }
    // The tool writes no ODBC escape clauses; braces in its literals are
    // text.
    SQLSetStmtAttr(stmt->get(), SQL_ATTR_NOSCAN,
                   reinterpret_cast<SQLPOINTER>(SQL_NOSCAN_ON), 0);
    SQLRETURN rc;
    if (wide_) {
      std::basic_string<SQLWCHAR> wide = ToWide(sql);
      rc = SQLPrepareW(stmt->get(), &wide[0],
                       static_cast<SQLINTEGER>(wide.size()));
      if (Ok(rc)) rc = SQLExecute(stmt->get());
    } else {
      std::string narrow = sql;
      rc = SQLExecDirect(stmt->get(), reinterpret_cast<SQLCHAR*>(&narrow[0]),
                         static_cast<SQLINTEGER>(narrow.size()));
    }
    if (Ok(rc) || rc == SQL_NO_DATA) return true;
    *error =
        Diagnostics(SQL_HANDLE_STMT, stmt->get(), "statement failed", &lost_);
    return false;
  }

  bool SetAutocommit(bool on, std::string* error) {
    SQLRETURN rc =
        SQLSetConnectAttr(dbc_.get(), SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON
                                                          : SQL_AUTOCOMMIT_OFF),
                          SQL_IS_UINTEGER);
    if (Ok(rc)) return true;
    *error = Diagnostics(SQL_HANDLE_DBC, dbc_.get(),
                         "cannot switch the commit mode", &lost_);
    return false;
  }

  bool End(SQLSMALLINT completion, std::string* error) {
    in_transaction_ = false;
    bool ok = Ok(SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), completion));
    if (!ok) {
      *error = Diagnostics(
          SQL_HANDLE_DBC, dbc_.get(),
          completion == SQL_COMMIT ? "commit failed" : "rollback failed",
          &lost_);
      // Whatever the driver kept must not be committed by the switch below.
      if (completion == SQL_COMMIT) {
        SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), SQL_ROLLBACK);
      }
    }
    std::string mode_error;
    if (!SetAutocommit(true, &mode_error) && ok) {
      *error = mode_error;
      ok = false;
    }
    return ok;
  }

  EnvHandle env_;
  DbcHandle dbc_;
  int syntax_ = -1;
  bool wide_ = true;  // text passes as wide characters, else as UTF-8
  bool in_transaction_ = false;
  bool lost_ = false;  // a diagnostic record said the link is gone
};

// Returns whether the connection string sets one of the keys (any case).
bool HasKey(const std::string& text, std::initializer_list<const char*> keys) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string pair = text.substr(start, end - start);
    size_t equals = pair.find('=');
    std::string key = pair.substr(0, equals);
    key.erase(0, key.find_first_not_of(" \t"));
    key.erase(key.find_last_not_of(" \t") + 1);
    for (const char* candidate : keys) {
      if (strcasecmp(key.c_str(), candidate) == 0) return true;
    }
    // A braced value may hold semicolons.
    size_t brace = pair.find('{');
    if (brace != std::string::npos &&
        pair.find('}', brace) == std::string::npos) {
      end = text.find('}', end);
      if (end == std::string::npos) break;
      end = text.find(';', end);
      if (end == std::string::npos) break;
    }
    start = end + 1;
  }
  return false;
}

// Writes a value for a connection string, braced when it needs to be.
std::string ConnectionValue(const std::string& value) {
  if (value.find_first_of(";{}= ") == std::string::npos) return value;
  std::string braced = "{";
  for (char c : value) {
    if (c == '}') braced += '}';
    braced += c;
  }
  return braced + "}";
}

// Removes the password from a driver's message, should one echo it.
std::string WithoutPassword(std::string text, const std::string& password) {
  if (password.size() < 3) return text;
  for (size_t at = text.find(password); at != std::string::npos;
       at = text.find(password, at)) {
    text.replace(at, password.size(), "***");
  }
  return text;
}

class OdbcBackend : public Backend {
 public:
  const char* name() const override { return "odbc"; }

  std::unique_ptr<Connection> Connect(const ConnectParams& params,
                                      std::string* error) override {
    EnvHandle env;
    if (!env.Allocate(SQL_NULL_HANDLE) ||
        !Ok(SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION,
                          reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
      *error = "odbc: cannot set up the ODBC driver manager";
      return nullptr;
    }
    DbcHandle dbc;
    if (!dbc.Allocate(env.get())) {
      *error = "odbc: " + Diagnostics(SQL_HANDLE_ENV, env.get(),
                                      "cannot allocate a connection");
      return nullptr;
    }
    SQLSetConnectAttr(dbc.get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(30), SQL_IS_UINTEGER);
    SQLRETURN rc;
    if (!params.options.empty()) {
      std::string text = params.options;
      while (!text.empty() && (text.back() == ';' || text.back() == ' ')) {
        text.pop_back();
      }
      if (!params.login.empty() && !HasKey(text, {"UID", "User", "Username"})) {
        text += ";UID=" + ConnectionValue(params.login);
      }
      if (!params.password.empty() && !HasKey(text, {"PWD", "Password"})) {
        text += ";PWD=" + ConnectionValue(params.password);
      }
      std::basic_string<SQLWCHAR> wide = ToWide(text);
      SQLSMALLINT length = 0;
      rc = SQLDriverConnectW(dbc.get(), nullptr, &wide[0],
                             static_cast<SQLSMALLINT>(wide.size()), nullptr, 0,
                             &length, SQL_DRIVER_NOPROMPT);
    } else {
      if (params.server.empty()) {
        *error =
            "odbc: DBServer must name a data source, or DBDrvParams "
            "hold a connection string";
        return nullptr;
      }
      std::basic_string<SQLWCHAR> dsn = ToWide(params.server);
      std::basic_string<SQLWCHAR> login = ToWide(params.login);
      std::basic_string<SQLWCHAR> password = ToWide(params.password);
      rc = SQLConnectW(dbc.get(), &dsn[0], static_cast<SQLSMALLINT>(dsn.size()),
                       &login[0], static_cast<SQLSMALLINT>(login.size()),
                       &password[0], static_cast<SQLSMALLINT>(password.size()));
    }
    if (!Ok(rc)) {
      *error = "odbc: " + WithoutPassword(Diagnostics(SQL_HANDLE_DBC, dbc.get(),
                                                      "connection failed"),
                                          params.password);
      return nullptr;
    }
    dbc.set_connected();
    return std::make_unique<OdbcConnection>(std::move(env), std::move(dbc));
  }
};

}  // namespace

std::unique_ptr<Backend> MakeOdbcBackend() {
  return std::make_unique<OdbcBackend>();
}

}  // namespace driver
