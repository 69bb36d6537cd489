// The mysql backend: MySQL and MariaDB through MariaDB Connector/C.
// DBServer is a host name or address, or the path of the server's socket
// when it starts with "/"; DBName, DBLogin and DBPassword are what they say.
// DBDrvParams options: port, socket, connect_timeout, read_timeout,
// write_timeout (seconds), compress=1, ssl=1 (refuse an unencrypted
// connection), ssl_ca, ssl_cert, ssl_key, ssl_verify=1 (check the server's
// certificate). The connection always uses utf8mb4 and strict mode
// (STRICT_ALL_TABLES added to the server's sql_mode).

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "db/driver/backend.h"
#include "db/driver/bulk.h"
#include "db/driver/syntax.h"

namespace driver {
namespace {

struct MysqlCloser {
  void operator()(MYSQL* mysql) const { mysql_close(mysql); }
};
struct MysqlResultFreer {
  void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};
using MysqlHandle = std::unique_ptr<MYSQL, MysqlCloser>;
using MysqlResult = std::unique_ptr<MYSQL_RES, MysqlResultFreer>;

std::string ErrorText(MYSQL* mysql) {
  const char* text = mysql_error(mysql);
  return text != nullptr && *text != 0 ? text : "unknown MySQL error";
}

// Reads and frees the results of the further statements of a multiple
// statement text. Returns false and fills *error when one of them failed.
bool DrainMoreResults(MYSQL* mysql, std::string* error) {
  for (;;) {
    int status = mysql_next_result(mysql);
    if (status < 0) return true;
    if (status > 0) {
      if (error != nullptr) *error = ErrorText(mysql);
      return false;
    }
    MysqlResult result(mysql_store_result(mysql));
  }
}

class MysqlCursor : public Cursor {
 public:
  MysqlCursor(MYSQL* mysql, MysqlResult result)
      : mysql_(mysql), result_(std::move(result)) {}

  ~MysqlCursor() override {
    // Freeing an unbuffered result reads the rows not fetched yet, which
    // the connection needs before it can run anything else.
    result_.reset();
    DrainMoreResults(mysql_, nullptr);
  }

  bool Fetch() override {
    if (done_) return false;
    row_ = mysql_fetch_row(result_.get());
    if (row_ != nullptr) {
      lengths_ = mysql_fetch_lengths(result_.get());
      return true;
    }
    done_ = true;
    if (mysql_errno(mysql_) != 0) error_ = ErrorText(mysql_);
    return false;
  }

  int ColumnCount() const override {
    return static_cast<int>(mysql_num_fields(result_.get()));
  }

  std::string ColumnName(int column) const override {
    if (column < 0 || column >= ColumnCount()) return "";
    return mysql_fetch_field_direct(result_.get(),
                                    static_cast<unsigned>(column))
        ->name;
  }

  Value Field(int column) const override {
    if (row_ == nullptr || column < 0 || column >= ColumnCount() ||
        row_[column] == nullptr) {
      return std::nullopt;
    }
    return std::string(row_[column], lengths_[column]);
  }

  FieldView View(int column, std::string*) const override {
    FieldView view;
    if (row_ == nullptr || column < 0 || column >= ColumnCount() ||
        row_[column] == nullptr) {
      return view;
    }
    view.kind = FieldView::kText;
    view.text = row_[column];
    view.length = lengths_[column];
    return view;
  }

  const std::string& error() const override { return error_; }

 private:
  MYSQL* mysql_;
  MysqlResult result_;
  MYSQL_ROW row_ = nullptr;
  unsigned long* lengths_ = nullptr;
  bool done_ = false;
  std::string error_;
};

class MysqlConnection : public Connection {
 public:
  explicit MysqlConnection(MysqlHandle mysql) : mysql_(std::move(mysql)) {}

  bool ExecutesStatementLists() const override { return true; }

  bool Execute(const std::string& sql, std::string* error) override {
    if (!Send(sql, error)) return false;
    MysqlResult result(mysql_store_result(mysql_.get()));
    if (result == nullptr && mysql_field_count(mysql_.get()) != 0) {
      return Failed(error);
    }
    result.reset();
    if (!DrainMoreResults(mysql_.get(), error)) return Failed(error);
    return true;
  }

  bool Select(const std::string& sql, BufferedResult* out,
              std::string* error) override {
    out->columns.clear();
    out->rows.clear();
    if (!Send(sql, error)) return false;
    MysqlResult result(mysql_store_result(mysql_.get()));
    if (result == nullptr) {
      if (mysql_field_count(mysql_.get()) != 0) return Failed(error);
      return DrainMoreResults(mysql_.get(), error) || Failed(error);
    }
    unsigned columns = mysql_num_fields(result.get());
    MYSQL_FIELD* fields = mysql_fetch_fields(result.get());
    for (unsigned c = 0; c < columns; c++)
      out->columns.push_back(fields[c].name);
    out->rows.reserve(mysql_num_rows(result.get()));
    while (MYSQL_ROW row = mysql_fetch_row(result.get())) {
      unsigned long* lengths = mysql_fetch_lengths(result.get());
      std::vector<Value> values;
      values.reserve(columns);
      for (unsigned c = 0; c < columns; c++) {
        if (row[c] == nullptr) {
          values.emplace_back(std::nullopt);
        } else {
          values.emplace_back(std::string(row[c], lengths[c]));
        }
      }
      out->rows.push_back(std::move(values));
    }
    result.reset();
    return DrainMoreResults(mysql_.get(), error) || Failed(error);
  }

  std::unique_ptr<Cursor> SelectUnbuffered(const std::string& sql,
                                           std::string* error) override {
    if (!Send(sql, error)) return nullptr;
    MysqlResult result(mysql_use_result(mysql_.get()));
    if (result == nullptr) {
      if (mysql_field_count(mysql_.get()) != 0) {
        Failed(error);
        return nullptr;
      }
      // A statement without rows: report it as an empty result.
      if (!DrainMoreResults(mysql_.get(), error)) {
        Failed(error);
        return nullptr;
      }
      return std::make_unique<EmptyCursor>();
    }
    return std::make_unique<MysqlCursor>(mysql_.get(), std::move(result));
  }

  // A DDL statement commits implicitly and ends the open transaction. With
  // autocommit off the server opens the next one at once, so what follows
  // the last DDL of a transaction is still undone by its rollback; with
  // autocommit on it would be committed statement by statement.
  bool Begin(std::string* error) override {
    transaction_lost_ = false;
    if (mysql_autocommit(mysql_.get(), 0) != 0) return Failed(error);
    if (!Execute("START TRANSACTION", error)) {
      mysql_autocommit(mysql_.get(), 1);
      return false;
    }
    in_transaction_ = true;
    return true;
  }

  bool Commit(std::string* error) override {
    in_transaction_ = false;
    if (transaction_lost_) {
      transaction_lost_ = false;
      std::string ignored;
      Execute("ROLLBACK", &ignored);
      mysql_autocommit(mysql_.get(), 1);
      *error = kLostTransaction;
      return false;
    }
    bool committed = Execute("COMMIT", error);
    if (!committed) {
      std::string ignored;
      Execute("ROLLBACK", &ignored);
    }
    mysql_autocommit(mysql_.get(), 1);
    return committed;
  }

  bool Rollback(std::string* error) override {
    in_transaction_ = false;
    transaction_lost_ = false;
    bool rolled_back = Execute("ROLLBACK", error);
    mysql_autocommit(mysql_.get(), 1);
    return rolled_back;
  }

  int NativeSyntax() override { return SYNTAX_MYSQL; }

  // The error of the last call on the handle tells; it is remembered, since
  // a later successful call (there is none on a lost link) would clear it.
  bool IsLost() override {
    if (!lost_) lost_ = IsLinkError(mysql_errno(mysql_.get()));
    return lost_;
  }

  std::unique_ptr<BulkInsert> StartBulkInsert(
      const std::string& table, const std::vector<std::string>& columns,
      std::string* error) override {
    return MakeMysqlBulkInsert(mysql_.get(), table, columns, error);
  }

  // mysql_real_escape_string follows the session's NO_BACKSLASH_ESCAPES
  // mode, which the server reports with every answer.
  std::string Quote(const std::string& text) override {
    std::string quoted(text.size() * 2 + 3, '\0');
    quoted[0] = '\'';
    unsigned long length = mysql_real_escape_string(mysql_.get(), &quoted[1],
                                                    text.data(), text.size());
    quoted.resize(length + 1);
    quoted += '\'';
    return quoted;
  }

 private:
  // The empty result of a statement that returns no rows.
  class EmptyCursor : public Cursor {
   public:
    bool Fetch() override { return false; }
    int ColumnCount() const override { return 0; }
    std::string ColumnName(int) const override { return ""; }
    Value Field(int) const override { return std::nullopt; }
    const std::string& error() const override { return error_; }

   private:
    std::string error_;
  };

  static constexpr const char* kLostTransaction =
      "the transaction was rolled back by the database after an earlier "
      "error (deadlock, lock wait or lost connection); nothing of it was "
      "committed";

  bool Send(const std::string& sql, std::string* error) {
    if (mysql_real_query(mysql_.get(), sql.data(), sql.size()) != 0) {
      return Failed(error);
    }
    return true;
  }

  // Reports the connection's current error. Inside a transaction, notes the
  // errors after which the server has rolled back the whole transaction,
  // so that the commit cannot report success.
  bool Failed(std::string* error) {
    *error = ErrorText(mysql_.get());
    if (!in_transaction_) return false;
    switch (mysql_errno(mysql_.get())) {
      case ER_LOCK_DEADLOCK:
      case CR_SERVER_GONE_ERROR:
      case CR_SERVER_LOST:
        transaction_lost_ = true;
        break;
      case ER_LOCK_WAIT_TIMEOUT:
        // Rolls back only the statement unless the server is told otherwise.
        transaction_lost_ = RollsBackOnTimeout();
        break;
      default:
        break;
    }
    return false;
  }

  bool RollsBackOnTimeout() {
    static const char kQuery[] = "SELECT @@innodb_rollback_on_timeout";
    if (mysql_real_query(mysql_.get(), kQuery, sizeof kQuery - 1) != 0) {
      return true;  // cannot tell: assume the worse
    }
    MysqlResult result(mysql_store_result(mysql_.get()));
    MYSQL_ROW row = result != nullptr ? mysql_fetch_row(result.get()) : nullptr;
    return row == nullptr || row[0] == nullptr || atoi(row[0]) != 0;
  }

  // The errors after which the session is gone: the link broke, or the
  // server ended the session (killed it, or is shutting down).
  static bool IsLinkError(unsigned int code) {
    switch (code) {
      case CR_SERVER_GONE_ERROR:
      case CR_SERVER_LOST:
      case ER_CONNECTION_KILLED:
      case ER_SERVER_SHUTDOWN:
        return true;
      default:
        return false;
    }
  }

  MysqlHandle mysql_;
  bool in_transaction_ = false;
  bool transaction_lost_ = false;
  bool lost_ = false;
};

// Reads a whole number option into *out. Returns false and fills *error when
// the value is no number in [0, max].
bool ParseNumber(const std::pair<std::string, std::string>& option,
                 unsigned max, unsigned* out, std::string* error) {
  char* end = nullptr;
  long value = strtol(option.second.c_str(), &end, 10);
  if (option.second.empty() || *end != 0 || value < 0 ||
      static_cast<unsigned long>(value) > max) {
    *error = "mysql: option \"" + option.first +
             "\" must be a number from 0 to " + std::to_string(max);
    return false;
  }
  *out = static_cast<unsigned>(value);
  return true;
}

class MysqlBackend : public Backend {
 public:
  const char* name() const override { return "mysql"; }

  std::unique_ptr<Connection> Connect(const ConnectParams& params,
                                      std::string* error) override {
    std::vector<std::pair<std::string, std::string>> options;
    if (!ParseOptions(params.options, &options, error)) {
      *error = "mysql: " + *error;
      return nullptr;
    }
    MysqlHandle mysql(mysql_init(nullptr));
    if (mysql == nullptr) {
      *error = "mysql: out of memory";
      return nullptr;
    }
    std::string host = params.server;
    std::string socket;
    if (!host.empty() && host[0] == '/') {
      socket = host;
      host = "localhost";
    }
    unsigned port = 0;
    unsigned connect_timeout = 30;
    for (const auto& option : options) {
      const std::string& key = option.first;
      const char* value = option.second.c_str();
      unsigned number = 0;
      bool ok = true;
      if (key == "port") {
        ok = ParseNumber(option, 65535, &port, error);
      } else if (key == "socket") {
        socket = option.second;
      } else if (key == "connect_timeout") {
        ok = ParseNumber(option, 3600, &connect_timeout, error);
      } else if (key == "read_timeout" || key == "write_timeout") {
        ok = ParseNumber(option, 86400, &number, error);
        if (ok) {
          mysql_options(mysql.get(),
                        key == "read_timeout" ? MYSQL_OPT_READ_TIMEOUT
                                              : MYSQL_OPT_WRITE_TIMEOUT,
                        &number);
        }
      } else if (key == "compress") {
        ok = ParseNumber(option, 1, &number, error);
        if (ok && number != 0) {
          mysql_options(mysql.get(), MYSQL_OPT_COMPRESS, nullptr);
        }
      } else if (key == "ssl" || key == "ssl_verify") {
        ok = ParseNumber(option, 1, &number, error);
        my_bool flag = number != 0;
        if (ok) {
          mysql_options(mysql.get(),
                        key == "ssl" ? MYSQL_OPT_SSL_ENFORCE
                                     : MYSQL_OPT_SSL_VERIFY_SERVER_CERT,
                        &flag);
        }
      } else if (key == "ssl_ca") {
        mysql_options(mysql.get(), MYSQL_OPT_SSL_CA, value);
      } else if (key == "ssl_cert") {
        mysql_options(mysql.get(), MYSQL_OPT_SSL_CERT, value);
      } else if (key == "ssl_key") {
        mysql_options(mysql.get(), MYSQL_OPT_SSL_KEY, value);
      } else {
        *error = "mysql: unknown option \"" + key + "\"";
        return nullptr;
      }
      if (!ok) return nullptr;
    }
    mysql_options(mysql.get(), MYSQL_OPT_CONNECT_TIMEOUT, &connect_timeout);
    mysql_options(mysql.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
    // A silent reconnect would lose an open transaction unnoticed.
    my_bool reconnect = 0;
    mysql_options(mysql.get(), MYSQL_OPT_RECONNECT, &reconnect);
    if (mysql_real_connect(mysql.get(), host.empty() ? nullptr : host.c_str(),
                           params.login.c_str(), params.password.c_str(),
                           params.name.empty() ? nullptr : params.name.c_str(),
                           port, socket.empty() ? nullptr : socket.c_str(),
                           CLIENT_MULTI_STATEMENTS) == nullptr) {
      *error = "mysql: " + ErrorText(mysql.get());
      return nullptr;
    }
    // Strict mode makes a value that does not fit its column fail its
    // statement instead of being cut or changed with a warning; the
    // server's other modes (NO_BACKSLASH_ESCAPES among them) are kept. A
    // row-by-row reader may pause between rows for longer than the
    // server's default write timeout, after which the server would drop it.
    static const char kSession[] =
        "SET SESSION sql_mode=CONCAT_WS(',',NULLIF(@@SESSION.sql_mode,''),"
        "'STRICT_ALL_TABLES'), net_write_timeout=3600";
    if (mysql_real_query(mysql.get(), kSession, sizeof kSession - 1) != 0) {
      *error = "mysql: cannot set the session mode: " + ErrorText(mysql.get());
      return nullptr;
    }
    return std::make_unique<MysqlConnection>(std::move(mysql));
  }
};

}  // namespace

std::unique_ptr<Backend> MakeMysqlBackend() {
  return std::make_unique<MysqlBackend>();
}

}  // namespace driver
