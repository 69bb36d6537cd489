// Throwaway test databases on every backend the test run has a server for.
// SQLite is always there; the server backends are enabled by environment
// variables that the test command sets after starting its servers.
#ifndef SCHEMON_TESTS_SUPPORT_TEST_DB_H_
#define SCHEMON_TESTS_SUPPORT_TEST_DB_H_

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "db/driver/backend.h"

// One database made for one test and dropped when the object goes.
class TestDatabase {
 public:
  virtual ~TestDatabase() = default;

  // Returns the lines of a server configuration file that reach this
  // database (DBDriver, DBServer, DBName, ...).
  virtual std::string ConfigText() const = 0;

  // Returns a connection of the test's own to the database.
  driver::Connection* conn() { return conn_.get(); }

  // Runs statements, failing the current test on an error. Statements are
  // separated by ";\n".
  void Exec(const std::string& sql);
  // Returns false (no test failure) when the statement fails.
  bool TryExec(const std::string& sql);
  // Returns all rows, NULLs as "<null>"; fails the test on an error.
  std::vector<std::vector<std::string>> Rows(const std::string& sql);
  // Returns the first column of the first row, or "<none>".
  std::string Scalar(const std::string& sql);
  // Returns whether a table of that name exists.
  virtual bool TableExists(const std::string& table);
  // Opens the test's connection again, after the server went away under
  // it. Returns false (after adding a test failure) when that fails.
  virtual bool Reconnect() { return true; }

 protected:
  std::unique_ptr<driver::Connection> conn_;
};

// A database on a server, made for one test through an administrative
// connection and dropped again when the object goes.
class ServerTestDatabase : public TestDatabase {
 public:
  ~ServerTestDatabase() override;
  bool Reconnect() override;

 protected:
  using Step = std::function<bool(std::string* error)>;
  using Connector =
      std::function<std::unique_ptr<driver::Connection>(std::string* error)>;

  // Runs create, then opens the test's connection with connect; drop runs
  // when the object goes, if create succeeded, after the derived object's
  // members are destroyed (so it must not reach them). Failures fail the
  // test.
  void Open(const Step& create, const Connector& connect, Step drop);

 private:
  Step drop_;
  Connector connect_;
};

// Returns the "key=value" pairs of a server's environment variable, or
// nullopt when it is unset or empty. A value that cannot be parsed ends the
// test program.
std::optional<std::map<std::string, std::string>> ServerSettingsFromEnv(
    const char* variable);

// A backend the suite runs against.
struct BackendUnderTest {
  std::string name;  // "sqlite", "pgsql", "mysql", "odbc_pgsql", ...
  int syntax;        // the syntax code its databases report
  // Null when this run has no server for the backend.
  std::function<std::unique_ptr<TestDatabase>(const std::string& dir)> create;
  // Why the backend is not enabled in this run; empty when it is.
  std::string disabled_reason;
};

inline std::ostream& operator<<(std::ostream& os, const BackendUnderTest& b) {
  return os << b.name;
}

// Returns the backends enabled for this run, SQLite first.
std::vector<BackendUnderTest> EnabledBackends();

// Returns every backend the suites know, in a fixed order, whether or not
// this run has a server for it: the backend suites are instantiated for all
// of them, so that the list of tests does not depend on the servers of the
// run that lists them. A backend that is not enabled has no create and says
// why.
std::vector<BackendUnderTest> AllBackends();

// Used by the googletest parameter name generator.
std::string BackendName(const BackendUnderTest& backend);

// Each server backend's file adds itself when its environment variable is
// set.
void AddSqliteBackend(std::vector<BackendUnderTest>* list);
void AddPgsqlBackend(std::vector<BackendUnderTest>* list);
void AddMysqlBackend(std::vector<BackendUnderTest>* list);
void AddOdbcBackends(std::vector<BackendUnderTest>* list);

// Returns a name unique to this process and call, usable as a database name.
std::string UniqueDatabaseName();

// Returns a new database (dropped when the object goes) on the MySQL or
// MariaDB server that settings name, in the form of SCHEMON_TEST_MYSQL
// ("socket=PATH user=NAME"), as the mysql backend of the suites makes them.
std::unique_ptr<TestDatabase> MakeMysqlTestDatabase(
    const std::string& settings);

#endif  // SCHEMON_TESTS_SUPPORT_TEST_DB_H_
