// The contract every database backend of the driver library fulfils.
// A backend turns connection settings into a Connection; a Connection runs
// statements, returns buffered or row-by-row results and owns transactions.
// Backends never throw: every failure is a false/null result plus a text.
#ifndef SCHEMON_DB_DRIVER_BACKEND_H_
#define SCHEMON_DB_DRIVER_BACKEND_H_

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/driver/field_view.h"

namespace driver {

// Connection settings as the server configuration file gives them.
struct ConnectParams {
  std::string server;  // host, address, socket directory or DSN
  std::string name;    // database name (for SQLite: the file path)
  std::string login;
  std::string password;
  std::string options;  // backend options, "key=value;key=value" or blanks
  bool allow_create = false;  // SQLite: create the file when it is missing
};

// One value of a result; nullopt is SQL NULL.
using Value = std::optional<std::string>;

// A fully fetched result.
struct BufferedResult {
  std::vector<std::string> columns;
  std::vector<std::vector<Value>> rows;
};

// A result read one row at a time. The connection must not run another
// statement until the cursor is destroyed (some backends stream it).
class Cursor {
 public:
  virtual ~Cursor() = default;
  // Moves to the next row. Returns false at the end or on a failure; the
  // two are told apart by error().
  virtual bool Fetch() = 0;
  virtual int ColumnCount() const = 0;
  virtual std::string ColumnName(int column) const = 0;
  // Returns the value of the current row's column; nullopt for NULL.
  virtual Value Field(int column) const = 0;
  // Returns the value of the current row's column without copying it where
  // the backend can; a text may point into *scratch. Valid until the next
  // Fetch. The default copies the text of Field into *scratch.
  virtual FieldView View(int column, std::string* scratch) const {
    FieldView view;
    Value value = Field(column);
    if (!value.has_value()) return view;
    *scratch = std::move(*value);
    view.kind = FieldView::kText;
    view.text = scratch->data();
    view.length = scratch->size();
    return view;
  }
  // Returns the text of a failure met by Fetch, or empty when none was.
  virtual const std::string& error() const = 0;
};

// Rows added to one table through the database's fast path (a prepared
// statement, COPY, multi-row statements). Rows may be held back until
// Finish, so a failure may be reported for a row added earlier; the caller
// then rolls back its transaction.
class BulkInsert {
 public:
  virtual ~BulkInsert() = default;
  // Adds one row: one value per column given at the start, a null pointer
  // for SQL NULL; each value is lengths[i] bytes long. Returns false and
  // fills *error on failure.
  virtual bool AddRow(const char* const* values, const size_t* lengths,
                      std::string* error) = 0;
  // Sends the rows still held back. Returns false and fills *error when the
  // database refused any row.
  virtual bool Finish(std::string* error) = 0;
};

class Connection {
 public:
  virtual ~Connection() = default;

  // Starts a bulk insert into table (columns in the order AddRow gives
  // them; the caller guarantees plain identifiers). Returns null with
  // *error left empty when the backend has no fast path, and null with
  // *error filled when it cannot start. No other statement may run on the
  // connection until the object is destroyed.
  virtual std::unique_ptr<BulkInsert> StartBulkInsert(
      const std::string& /*table*/, const std::vector<std::string>& /*columns*/,
      std::string* /*error*/) {
    return nullptr;
  }

  // Runs one statement (or several, where the backend allows) with no
  // result. Returns false and fills *error on failure. Inside an open
  // transaction a failure undoes only this statement.
  virtual bool Execute(const std::string& sql, std::string* error) = 0;

  // True when Execute takes several statements separated by semicolons in
  // one text and runs them in order, stopping at the first that fails.
  virtual bool ExecutesStatementLists() const { return false; }

  // Runs a query and fetches all rows into *out.
  virtual bool Select(const std::string& sql, BufferedResult* out,
                      std::string* error) = 0;

  // Runs a query whose rows are fetched on demand. Returns null and fills
  // *error on failure.
  virtual std::unique_ptr<Cursor> SelectUnbuffered(const std::string& sql,
                                                   std::string* error) = 0;

  // Transactions. Commit fails, and says so, when the database rolled the
  // transaction back on its own after an error.
  virtual bool Begin(std::string* error) = 0;
  virtual bool Commit(std::string* error) = 0;
  virtual bool Rollback(std::string* error) = 0;

  // Returns the syntax code of the connected database (SYNTAX_* of
  // syntax.h), or -1 when the backend cannot tell.
  virtual int NativeSyntax() = 0;

  // Returns text as a complete single-quoted SQL literal for this
  // connection's rules.
  virtual std::string Quote(const std::string& text) = 0;

  // Returns true once the link to the database is gone (the server closed
  // the connection, went away or the network failed): every later call
  // fails as well. Asked right after a failure, which may be the one that
  // found it. An embedded database is never lost.
  virtual bool IsLost() { return false; }
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Returns the driver name as written in DBDriver, in lower case.
  virtual const char* name() const = 0;
  // Opens a connection. Returns null and fills *error on failure; the error
  // never contains the password.
  virtual std::unique_ptr<Connection> Connect(const ConnectParams& params,
                                              std::string* error) = 0;
};

// Returns the backend registered under the driver name, or null. The name is
// matched case-insensitively after removing a directory and a ".ddr"
// extension ("/opt/x/lib/PGSQL.ddr" finds "pgsql").
Backend* FindBackend(const std::string& driver_name);

// Returns the normalised driver name that FindBackend looks up.
std::string NormalizeDriverName(const std::string& driver_name);

// Parses "key=value;key=value" (";" or blanks between pairs, values may be
// single-quoted to hold either) into *out. Returns false and fills *error on
// a malformed text.
bool ParseOptions(const std::string& text,
                  std::vector<std::pair<std::string, std::string>>* out,
                  std::string* error);

// Reads every remaining row of cursor into *out (replacing its content).
// Returns false and fills *error when fetching fails; backends whose
// buffered results are their row-by-row results read to the end use it.
bool FetchAll(Cursor* cursor, BufferedResult* out, std::string* error);

// Backend factories, one per file; null where the backend is not built in.
std::unique_ptr<Backend> MakeSqliteBackend();
std::unique_ptr<Backend> MakePgsqlBackend();
std::unique_ptr<Backend> MakeMysqlBackend();
std::unique_ptr<Backend> MakeOdbcBackend();

}  // namespace driver

#endif  // SCHEMON_DB_DRIVER_BACKEND_H_
