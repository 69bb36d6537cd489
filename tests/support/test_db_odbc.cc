// Test databases reached through the odbc backend, enabled by
// SCHEMON_TEST_ODBC with ODBCSYSINI/ODBCINSTINI pointing at the driver
// registration of tests/servers/odbc_registration.sh:
//   odbc_pgsql  - PostgreSQL through psqlODBC (driver "schemon_pgsql"), a new
//                 database per test on the server of SCHEMON_TEST_PGSQL
//   odbc_sqlite - SQLite through the SQLite ODBC driver ("schemon_sqlite"),
//                 a new file per test

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "db/driver/syntax.h"
#include "support/test_db.h"
#include "support/test_db_pgsql.h"

namespace {

std::unique_ptr<driver::Connection> ConnectOdbc(const std::string& options,
                                                const std::string& login,
                                                std::string* error) {
  driver::ConnectParams params;
  params.options = options;
  params.login = login;
  return driver::FindBackend("odbc")->Connect(params, error);
}

class OdbcPgsqlTestDatabase : public ServerTestDatabase {
 public:
  explicit OdbcPgsqlTestDatabase(const PgsqlTestServer& server)
      : server_(server), name_(UniqueDatabaseName()) {
    Open(
        [this](std::string* error) {
          return CreatePgsqlDatabase(server_, name_, error);
        },
        [this](std::string* error) {
          return ConnectOdbc(Options(), server_.user, error);
        },
        // Runs after this object's members are gone: capture copies.
        [server, name = name_](std::string* error) {
          return DropPgsqlDatabase(server, name, error);
        });
  }

  std::string ConfigText() const override {
    return "DBDriver = odbc\nDBServer = " + server_.host +
           "\nDBName = " + name_ + "\nDBLogin = " + server_.user +
           "\nDBDrvParams = \"" + Options() + "\"\n";
  }

 private:
  std::string Options() const {
    return "Driver=schemon_pgsql;Servername=" + server_.host +
           ";Port=" + server_.port + ";Database=" + name_;
  }

  PgsqlTestServer server_;
  std::string name_;
};

class OdbcSqliteTestDatabase : public TestDatabase {
 public:
  explicit OdbcSqliteTestDatabase(const std::string& dir)
      : path_(dir + "/" + UniqueDatabaseName() + ".db") {
    std::string error;
    conn_ = ConnectOdbc(Options(), "", &error);
    if (conn_ == nullptr) ADD_FAILURE() << error;
  }
  ~OdbcSqliteTestDatabase() override {
    conn_.reset();
    unlink(path_.c_str());
  }
  std::string ConfigText() const override {
    return "DBDriver = odbc\nDBServer = localhost\nDBName = " + path_ +
           "\nDBDrvParams = \"" + Options() + "\"\n";
  }

 private:
  std::string Options() const {
    return "Driver=schemon_sqlite;Database=" + path_;
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<TestDatabase> MakeOdbcPgsqlTestDatabase(
    const PgsqlTestServer& server) {
  return std::unique_ptr<TestDatabase>(new OdbcPgsqlTestDatabase(server));
}

void AddOdbcBackends(std::vector<BackendUnderTest>* list) {
  const char* enabled = getenv("SCHEMON_TEST_ODBC");
  if (enabled == nullptr || *enabled == 0 || *enabled == '0') return;
  if (std::optional<PgsqlTestServer> server = PgsqlTestServerFromEnv()) {
    list->push_back({"odbc_pgsql", SYNTAX_POSTGRESQL,
                     [server](const std::string&) {
                       return std::unique_ptr<TestDatabase>(
                           new OdbcPgsqlTestDatabase(*server));
                     },
                     ""});
  }
  list->push_back({"odbc_sqlite", SYNTAX_SQLITE,
                   [](const std::string& dir) {
                     return std::unique_ptr<TestDatabase>(
                         new OdbcSqliteTestDatabase(dir));
                   },
                   ""});
}
