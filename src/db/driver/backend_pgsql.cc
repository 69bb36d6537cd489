// The pgsql backend: PostgreSQL through libpq.
// DBServer is a host name, an address or a unix-socket directory; DBName,
// DBLogin and DBPassword are what they say. DBDrvParams holds further libpq
// connection keywords ("port=5433 sslmode=require"). Every value reaches
// libpq as its own keyword, never pasted into a connection string.
//
// PostgreSQL aborts a whole transaction after one failed statement. Inside
// a transaction every statement is therefore guarded by a savepoint, so that
// a failure undoes only that statement, as on the other databases.

#include <libpq-fe.h>

#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "db/driver/backend.h"
#include "db/driver/bulk.h"
#include "db/driver/statement_shape.h"
#include "db/driver/syntax.h"

namespace driver {

std::string PgsqlErrorText(PGconn* conn, const PGresult* result) {
  const char* text = result != nullptr ? PQresultErrorMessage(result) : "";
  if (text == nullptr || *text == 0) text = PQerrorMessage(conn);
  std::string error = text != nullptr ? text : "";
  while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) {
    error.pop_back();
  }
  if (error.empty()) error = "unknown PostgreSQL error";
  return error;
}

namespace {

struct PgConnCloser {
  void operator()(PGconn* conn) const { PQfinish(conn); }
};
struct PgResultClearer {
  void operator()(PGresult* result) const { PQclear(result); }
};
using PgConn = std::unique_ptr<PGconn, PgConnCloser>;
using PgResult = std::unique_ptr<PGresult, PgResultClearer>;

constexpr const char kSavepoint[] = "schemon_stmt";
constexpr const char kAbortedTransaction[] =
    "the transaction was aborted by an earlier error; nothing runs until it "
    "is rolled back";

// Leaves a COPY state that a statement may have entered: the tool never
// streams COPY data, so incoming data is discarded and outgoing is refused.
void EndCopy(PGconn* conn, ExecStatusType status) {
  if (status == PGRES_COPY_IN) {
    PQputCopyEnd(conn, "COPY FROM STDIN is not supported");
  } else if (status == PGRES_COPY_OUT) {
    char* buffer = nullptr;
    while (PQgetCopyData(conn, &buffer, 0) > 0) PQfreemem(buffer);
  }
}

// Reads and discards every result still pending on the connection.
void DrainResults(PGconn* conn) {
  while (PGresult* raw = PQgetResult(conn)) {
    PgResult result(raw);
    ExecStatusType status = PQresultStatus(raw);
    if (status == PGRES_COPY_IN || status == PGRES_COPY_OUT) {
      EndCopy(conn, status);
    }
  }
}

// Runs sql with PQexec and keeps the last result, treating COPY as an error.
PgResult Exec(PGconn* conn, const std::string& sql) {
  PgResult result(PQexec(conn, sql.c_str()));
  if (result != nullptr) {
    ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COPY_IN || status == PGRES_COPY_OUT) {
      EndCopy(conn, status);
      DrainResults(conn);
    }
  }
  return result;
}

bool Succeeded(const PGresult* result) {
  if (result == nullptr) return false;
  switch (PQresultStatus(result)) {
    case PGRES_COMMAND_OK:
    case PGRES_TUPLES_OK:
    case PGRES_EMPTY_QUERY:
      return true;
    default:
      return false;
  }
}

// Guards one statement with a savepoint while a transaction is open, and on
// Finish releases it or rolls back to it. Outside a transaction it does
// nothing: statements there run in autocommit.
class StatementGuard {
 public:
  explicit StatementGuard(PGconn* conn) : conn_(conn) {}

  // Sets the savepoint if a transaction is open. Returns false and fills
  // *error when it cannot be set.
  bool Open(std::string* error) {
    PGTransactionStatusType state = PQtransactionStatus(conn_);
    if (state == PQTRANS_INERROR) {
      *error = kAbortedTransaction;
      return false;
    }
    if (state != PQTRANS_INTRANS) return true;
    PgResult result(Exec(conn_, std::string("SAVEPOINT ") + kSavepoint));
    if (!Succeeded(result.get())) {
      *error = PgsqlErrorText(conn_, result.get());
      return false;
    }
    active_ = true;
    return true;
  }

  // Ends the guard after the statement succeeded (ok) or failed. A failure
  // to restore the transaction is added to *error.
  void Finish(bool ok, std::string* error) {
    if (!active_) return;
    active_ = false;
    PGTransactionStatusType state = PQtransactionStatus(conn_);
    // The statement itself may have ended the transaction (COMMIT).
    if (state != PQTRANS_INTRANS && state != PQTRANS_INERROR) return;
    std::string sql = ok && state == PQTRANS_INTRANS
                          ? std::string("RELEASE SAVEPOINT ") + kSavepoint
                          : std::string("ROLLBACK TO SAVEPOINT ") + kSavepoint +
                                "; RELEASE SAVEPOINT " + kSavepoint;
    PgResult result(Exec(conn_, sql));
    if (!Succeeded(result.get()) && error != nullptr) {
      if (!error->empty()) *error += "; ";
      *error += "cannot restore the transaction: " +
                PgsqlErrorText(conn_, result.get());
    }
  }

 private:
  PGconn* conn_;
  bool active_ = false;
};

Value ResultValue(const PGresult* result, int row, int column) {
  if (PQgetisnull(result, row, column)) return std::nullopt;
  return std::string(PQgetvalue(result, row, column),
                     static_cast<size_t>(PQgetlength(result, row, column)));
}

// Rows read in single-row mode. The first result (which carries the column
// descriptions) is read before the cursor is made.
class PgsqlCursor : public Cursor {
 public:
  PgsqlCursor(PGconn* conn, PgResult first, StatementGuard guard)
      : conn_(conn), header_(std::move(first)), guard_(guard) {
    if (PQresultStatus(header_.get()) == PGRES_SINGLE_TUPLE) {
      pending_ = true;
    } else {
      // The query ended with no row; its final result is already read.
      Finish(true);
    }
  }

  ~PgsqlCursor() override {
    if (!done_) {
      // Abandoned early: the remaining rows must still be read before the
      // connection can run anything else.
      DrainResults(conn_);
      Finish(true);
    }
  }

  bool Fetch() override {
    if (pending_) {
      pending_ = false;
      row_ = header_.get();
      return true;
    }
    row_ = nullptr;
    current_.reset();
    if (done_) return false;
    PgResult next(PQgetResult(conn_));
    if (next == nullptr) {
      Finish(true);
      return false;
    }
    ExecStatusType status = PQresultStatus(next.get());
    if (status == PGRES_SINGLE_TUPLE) {
      current_ = std::move(next);
      row_ = current_.get();
      return true;
    }
    bool ok = status == PGRES_TUPLES_OK;
    if (!ok) error_ = PgsqlErrorText(conn_, next.get());
    next.reset();
    DrainResults(conn_);
    Finish(ok);
    return false;
  }

  int ColumnCount() const override { return PQnfields(header_.get()); }

  std::string ColumnName(int column) const override {
    const char* name = PQfname(header_.get(), column);
    return name != nullptr ? name : "";
  }

  Value Field(int column) const override {
    if (row_ == nullptr || column < 0 || column >= PQnfields(row_)) {
      return std::nullopt;
    }
    return ResultValue(row_, 0, column);
  }

  FieldView View(int column, std::string*) const override {
    FieldView view;
    if (row_ == nullptr || column < 0 || column >= PQnfields(row_) ||
        PQgetisnull(row_, 0, column)) {
      return view;
    }
    view.kind = FieldView::kText;
    view.text = PQgetvalue(row_, 0, column);
    view.length = static_cast<size_t>(PQgetlength(row_, 0, column));
    return view;
  }

  const std::string& error() const override { return error_; }

 private:
  void Finish(bool ok) {
    done_ = true;
    std::string restore_error;
    guard_.Finish(ok, &restore_error);
    if (!restore_error.empty() && error_.empty()) error_ = restore_error;
  }

  PGconn* conn_;
  PgResult header_;   // first result: column descriptions, maybe a row
  PgResult current_;  // the row read by the last Fetch, when not header_
  const PGresult* row_ = nullptr;
  StatementGuard guard_;
  bool pending_ = false;  // header_ holds a row not yet returned
  bool done_ = false;
  std::string error_;
};

class PgsqlConnection : public Connection {
 public:
  explicit PgsqlConnection(PgConn conn) : conn_(std::move(conn)) {}

  bool ExecutesStatementLists() const override { return true; }

  bool Execute(const std::string& sql, std::string* error) override {
    return Run(sql, nullptr, error);
  }

  bool Select(const std::string& sql, BufferedResult* out,
              std::string* error) override {
    out->columns.clear();
    out->rows.clear();
    std::string shape;
    std::vector<int64_t> values;
    if (ShapeSelect(sql, &shape, &values) &&
        SelectPipelined(shape, values, out)) {
      return true;
    }
    // Also after a failed pipelined try: the plain run gives the failure
    // its own text (with the numbers, not the placeholders).
    out->columns.clear();
    out->rows.clear();
    return Run(sql, out, error);
  }

  std::unique_ptr<Cursor> SelectUnbuffered(const std::string& sql,
                                           std::string* error) override {
    StatementGuard guard(conn_.get());
    if (!guard.Open(error)) return nullptr;
    if (!PQsendQuery(conn_.get(), sql.c_str())) {
      *error = PgsqlErrorText(conn_.get(), nullptr);
      guard.Finish(false, error);
      return nullptr;
    }
    // Fails only when not called right after PQsendQuery; the rows would
    // then simply arrive in one result.
    PQsetSingleRowMode(conn_.get());
    PgResult first(PQgetResult(conn_.get()));
    ExecStatusType status =
        first != nullptr ? PQresultStatus(first.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_SINGLE_TUPLE && status != PGRES_TUPLES_OK &&
        status != PGRES_COMMAND_OK) {
      *error = PgsqlErrorText(conn_.get(), first.get());
      if (first != nullptr) EndCopy(conn_.get(), status);
      first.reset();
      DrainResults(conn_.get());
      guard.Finish(false, error);
      return nullptr;
    }
    // A query without rows is complete; later statements of a multiple
    // statement text are read and dropped.
    if (status != PGRES_SINGLE_TUPLE) DrainResults(conn_.get());
    return std::make_unique<PgsqlCursor>(conn_.get(), std::move(first), guard);
  }

  bool Begin(std::string* error) override {
    savepoint_live_ = false;
    return Simple("BEGIN", error);
  }

  bool Commit(std::string* error) override {
    savepoint_live_ = false;
    PgResult result(Exec(conn_.get(), "COMMIT"));
    if (!Succeeded(result.get())) {
      *error = PgsqlErrorText(conn_.get(), result.get());
      return false;
    }
    // After an unguarded error PostgreSQL answers COMMIT with success and
    // the command tag ROLLBACK: nothing was committed.
    if (strcmp(PQcmdStatus(result.get()), "ROLLBACK") == 0) {
      *error = kLostTransaction;
      return false;
    }
    return true;
  }

  bool Rollback(std::string* error) override {
    savepoint_live_ = false;
    return Simple("ROLLBACK", error);
  }

  int NativeSyntax() override { return SYNTAX_POSTGRESQL; }

  // After a failed write libpq may still call the connection good until it
  // reads; reading what has come shows a closed connection at once.
  bool IsLost() override {
    PGconn* conn = conn_.get();
    if (PQstatus(conn) != CONNECTION_BAD) PQconsumeInput(conn);
    return PQstatus(conn) == CONNECTION_BAD;
  }

  // A failed COPY aborts an open transaction; the caller rolls it back.
  std::unique_ptr<BulkInsert> StartBulkInsert(
      const std::string& table, const std::vector<std::string>& columns,
      std::string* error) override {
    if (PQtransactionStatus(conn_.get()) == PQTRANS_INERROR) {
      *error = kAbortedTransaction;
      return nullptr;
    }
    return MakePgsqlBulkInsert(conn_.get(), table, columns, error);
  }

  // A plain literal when the text has no backslash (read the same whatever
  // standard_conforming_strings says), else an escape-string literal, whose
  // meaning does not depend on that setting either.
  std::string Quote(const std::string& text) override {
    bool has_backslash = text.find('\\') != std::string::npos;
    std::string quoted = has_backslash ? "E'" : "'";
    quoted.reserve(text.size() + 3);
    for (char c : text) {
      if (c == '\'' || (has_backslash && c == '\\')) quoted += c;
      quoted += c;
    }
    quoted += '\'';
    return quoted;
  }

 private:
  static constexpr const char* kLostTransaction =
      "the transaction was rolled back by the database after an earlier "
      "error; nothing of it was committed";

  // Runs a statement, keeping the rows of its last result in *out when out
  // is not null. Inside a transaction a savepoint is set before it; the
  // savepoint stays alive after success and is released together with
  // setting the next one, so that at most one exists and a statement costs
  // one extra round trip. The statement travels alone: a statement that does
  // not even parse must not take the guard down with it.
  bool Run(const std::string& sql, BufferedResult* out, std::string* error) {
    PGconn* conn = conn_.get();
    PGTransactionStatusType state = PQtransactionStatus(conn);
    if (state == PQTRANS_INERROR) {
      *error = kAbortedTransaction;
      return false;
    }
    bool guarded = state == PQTRANS_INTRANS;
    if (guarded) {
      std::string guard = std::string("SAVEPOINT ") + kSavepoint;
      if (savepoint_live_) {
        guard = std::string("RELEASE SAVEPOINT ") + kSavepoint + ";" + guard;
      }
      savepoint_live_ = false;
      PgResult result(Exec(conn, guard));
      if (!Succeeded(result.get())) {
        *error =
            "cannot set a savepoint: " + PgsqlErrorText(conn, result.get());
        return false;
      }
    }
    bool ok = true;
    PgResult last;
    if (!PQsendQuery(conn, sql.c_str())) {
      ok = false;
      *error = PgsqlErrorText(conn, nullptr);
    } else {
      while (PGresult* raw = PQgetResult(conn)) {
        PgResult result(raw);
        ExecStatusType status = PQresultStatus(raw);
        if (status == PGRES_COPY_IN || status == PGRES_COPY_OUT) {
          EndCopy(conn, status);
        }
        if (!Succeeded(raw)) {
          if (ok) *error = PgsqlErrorText(conn, raw);
          ok = false;
        }
        last = std::move(result);
      }
    }
    if (ok && out != nullptr && last != nullptr) CopyRows(last.get(), out);
    last.reset();
    if (!guarded) return ok;
    // The statement itself may have ended the transaction (COMMIT).
    state = PQtransactionStatus(conn);
    if (state == PQTRANS_INTRANS) {
      savepoint_live_ = true;
    } else if (state == PQTRANS_INERROR) {
      PgResult undo(
          Exec(conn, std::string("ROLLBACK TO SAVEPOINT ") + kSavepoint));
      if (Succeeded(undo.get())) {
        savepoint_live_ = true;
      } else {
        *error += "; cannot restore the transaction: " +
                  PgsqlErrorText(conn, undo.get());
      }
    }
    return ok;
  }

  // Runs a query of a known shape as a prepared statement with its numbers
  // bound, sending the statement guard, the preparation (the first time)
  // and the query in one pipeline: one round trip. Returns false, with the
  // transaction as it was before, when anything in it failed.
  bool SelectPipelined(const std::string& shape,
                       const std::vector<int64_t>& values,
                       BufferedResult* out) {
    PGconn* conn = conn_.get();
    PGTransactionStatusType state = PQtransactionStatus(conn);
    if (state != PQTRANS_IDLE && state != PQTRANS_INTRANS) return false;
    bool guarded = state == PQTRANS_INTRANS;
    auto known = prepared_.find(shape);
    bool prepare = known == prepared_.end();
    // Once the cache is full a new shape runs unnamed, still in one trip.
    bool unnamed = prepare && prepared_.size() >= kPreparedShapes;
    if (unnamed) prepare = false;
    std::string name;
    if (prepare) {
      name = "schemon_shape_" + std::to_string(prepared_.size());
    } else if (!unnamed) {
      name = known->second;
    }
    std::vector<std::string> texts;
    std::vector<const char*> params;
    for (int64_t v : values) texts.push_back(std::to_string(v));
    for (const std::string& t : texts) params.push_back(t.c_str());
    if (!PQenterPipelineMode(conn)) return false;
    int commands = 0;
    bool sent = true;
    if (guarded) {
      std::string guard = std::string("SAVEPOINT ") + kSavepoint;
      if (savepoint_live_) {
        sent =
            sent &&
            PQsendQueryParams(
                conn, (std::string("RELEASE SAVEPOINT ") + kSavepoint).c_str(),
                0, nullptr, nullptr, nullptr, nullptr, 0);
        commands++;
      }
      sent = sent && PQsendQueryParams(conn, guard.c_str(), 0, nullptr, nullptr,
                                       nullptr, nullptr, 0);
      commands++;
    }
    if (prepare) {
      std::string numbered = NumberPlaceholders(shape);
      std::vector<Oid> types(values.size(), 20);  // int8
      sent =
          sent && PQsendPrepare(conn, name.c_str(), numbered.c_str(),
                                static_cast<int>(types.size()), types.data());
      commands++;
    }
    if (unnamed) {
      std::string numbered = NumberPlaceholders(shape);
      std::vector<Oid> types(values.size(), 20);  // int8
      sent = sent &&
             PQsendQueryParams(conn, numbered.c_str(),
                               static_cast<int>(params.size()), types.data(),
                               params.data(), nullptr, nullptr, 0);
    } else {
      sent = sent && PQsendQueryPrepared(conn, name.c_str(),
                                         static_cast<int>(params.size()),
                                         params.data(), nullptr, nullptr, 0);
    }
    commands++;
    sent = sent && PQpipelineSync(conn);
    // Read every command's results up to the sync; the last command's
    // result holds the rows.
    bool ok = sent;
    bool prepared = false;
    PgResult rows;
    for (int command = 0; sent && command < commands; command++) {
      while (PGresult* raw = PQgetResult(conn)) {
        PgResult result(raw);
        if (!Succeeded(raw)) {
          ok = false;
        } else if (prepare && command == commands - 2) {
          prepared = true;
        }
        if (command == commands - 1) rows = std::move(result);
      }
    }
    if (sent) {
      while (PGresult* raw = PQgetResult(conn)) {
        bool sync = PQresultStatus(raw) == PGRES_PIPELINE_SYNC;
        PQclear(raw);
        if (sync) break;
      }
    }
    PQexitPipelineMode(conn);
    if (prepared) prepared_.emplace(shape, name);
    if (guarded) {
      savepoint_live_ = false;
      state = PQtransactionStatus(conn);
      if (state == PQTRANS_INERROR) {
        PgResult undo(
            Exec(conn, std::string("ROLLBACK TO SAVEPOINT ") + kSavepoint));
        savepoint_live_ = Succeeded(undo.get());
      } else if (state == PQTRANS_INTRANS) {
        savepoint_live_ = true;
      }
    }
    if (!ok || rows == nullptr ||
        PQresultStatus(rows.get()) != PGRES_TUPLES_OK) {
      return false;
    }
    CopyRows(rows.get(), out);
    return true;
  }

  // Writes the shape's "?" placeholders (outside quotes) as $1, $2, ...
  static std::string NumberPlaceholders(const std::string& shape) {
    std::string numbered;
    char quote = 0;
    int next = 1;
    for (char c : shape) {
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == '?') {
        numbered += "$" + std::to_string(next++);
        continue;
      }
      numbered += c;
    }
    return numbered;
  }

  // Stores the column names and every row of r in *out.
  static void CopyRows(const PGresult* r, BufferedResult* out) {
    int columns = PQnfields(r);
    int rows = PQntuples(r);
    for (int c = 0; c < columns; c++) out->columns.push_back(PQfname(r, c));
    out->rows.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; row++) {
      std::vector<Value> values;
      values.reserve(static_cast<size_t>(columns));
      for (int c = 0; c < columns; c++) {
        values.push_back(ResultValue(r, row, c));
      }
      out->rows.push_back(std::move(values));
    }
  }

  // Runs a transaction command, which never gets a savepoint.
  bool Simple(const char* sql, std::string* error) {
    PgResult result(Exec(conn_.get(), sql));
    if (Succeeded(result.get())) return true;
    *error = PgsqlErrorText(conn_.get(), result.get());
    return false;
  }

  // Shapes prepared on the server, by their statement names; once full,
  // further shapes run unnamed.
  static constexpr size_t kPreparedShapes = 64;

  PgConn conn_;
  // The savepoint of the last statement run inside the transaction still
  // exists; the next statement releases it.
  bool savepoint_live_ = false;
  std::map<std::string, std::string> prepared_;
};

void IgnoreNotice(void*, const char*) {}

class PgsqlBackend : public Backend {
 public:
  const char* name() const override { return "pgsql"; }

  std::unique_ptr<Connection> Connect(const ConnectParams& params,
                                      std::string* error) override {
    std::vector<std::pair<std::string, std::string>> options;
    if (!ParseOptions(params.options, &options, error)) {
      *error = "pgsql: " + *error;
      return nullptr;
    }
    // Defaults first; the settings of the configuration file override them.
    std::vector<std::pair<std::string, std::string>> settings = {
        {"connect_timeout", "30"},
        {"client_encoding", "UTF8"},
        {"application_name", "schemon"},
    };
    if (!params.server.empty()) settings.emplace_back("host", params.server);
    if (!params.name.empty()) settings.emplace_back("dbname", params.name);
    if (!params.login.empty()) settings.emplace_back("user", params.login);
    if (!params.password.empty()) {
      settings.emplace_back("password", params.password);
    }
    for (auto& option : options) {
      if (option.first == "password" || option.first == "dbname") {
        *error = "pgsql: option \"" + option.first +
                 "\" is not allowed in DBDrvParams; use DBPassword or DBName";
        return nullptr;
      }
      settings.push_back(std::move(option));
    }
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& setting : settings) {
      keys.push_back(setting.first.c_str());
      values.push_back(setting.second.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PgConn conn(PQconnectdbParams(keys.data(), values.data(), 0));
    if (conn == nullptr) {
      *error = "pgsql: out of memory";
      return nullptr;
    }
    if (PQstatus(conn.get()) != CONNECTION_OK) {
      *error = "pgsql: " + PgsqlErrorText(conn.get(), nullptr);
      return nullptr;
    }
    PQsetNoticeProcessor(conn.get(), IgnoreNotice, nullptr);
    return std::make_unique<PgsqlConnection>(std::move(conn));
  }
};

}  // namespace

std::unique_ptr<Backend> MakePgsqlBackend() {
  return std::make_unique<PgsqlBackend>();
}

}  // namespace driver
