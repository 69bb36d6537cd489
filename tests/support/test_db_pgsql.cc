// PostgreSQL test databases: one new database per test on the server named
// by SCHEMON_TEST_PGSQL, dropped again when the test ends.

#include "support/test_db_pgsql.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "db/driver/syntax.h"
#include "support/test_db.h"

namespace {

std::unique_ptr<driver::Connection> ConnectPgsql(const PgsqlTestServer& server,
                                                 const std::string& database,
                                                 std::string* error) {
  driver::ConnectParams params;
  params.server = server.host;
  params.name = database;
  params.login = server.user;
  params.options = "port=" + server.port;
  return driver::FindBackend("pgsql")->Connect(params, error);
}

class PgsqlTestDatabase : public ServerTestDatabase {
 public:
  explicit PgsqlTestDatabase(const PgsqlTestServer& server)
      : server_(server), name_(UniqueDatabaseName()) {
    Open(
        [this](std::string* error) {
          return CreatePgsqlDatabase(server_, name_, error);
        },
        [this](std::string* error) {
          return ConnectPgsql(server_, name_, error);
        },
        // Runs after this object's members are gone: capture copies.
        [server, name = name_](std::string* error) {
          return DropPgsqlDatabase(server, name, error);
        });
  }

  std::string ConfigText() const override {
    return "DBDriver = pgsql\nDBServer = " + server_.host +
           "\nDBName = " + name_ + "\nDBLogin = " + server_.user +
           "\nDBDrvParams = \"port=" + server_.port + "\"\n";
  }

 private:
  PgsqlTestServer server_;
  std::string name_;
};

}  // namespace

std::optional<PgsqlTestServer> PgsqlTestServerFromEnv() {
  auto settings = ServerSettingsFromEnv("SCHEMON_TEST_PGSQL");
  if (!settings) return std::nullopt;
  PgsqlTestServer server{"", "5432", "postgres"};
  for (const auto& pair : *settings) {
    if (pair.first == "host") server.host = pair.second;
    if (pair.first == "port") server.port = pair.second;
    if (pair.first == "user") server.user = pair.second;
  }
  return server;
}

bool CreatePgsqlDatabase(const PgsqlTestServer& server, const std::string& name,
                         std::string* error) {
  auto admin = ConnectPgsql(server, "postgres", error);
  return admin != nullptr &&
         admin->Execute("CREATE DATABASE " + name + " ENCODING 'UTF8'", error);
}

bool DropPgsqlDatabase(const PgsqlTestServer& server, const std::string& name,
                       std::string* error) {
  auto admin = ConnectPgsql(server, "postgres", error);
  // FORCE ends connections a failed test may have left open.
  return admin != nullptr &&
         admin->Execute("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)",
                        error);
}

std::unique_ptr<TestDatabase> MakePgsqlTestDatabase(
    const PgsqlTestServer& server) {
  return std::unique_ptr<TestDatabase>(new PgsqlTestDatabase(server));
}

void AddPgsqlBackend(std::vector<BackendUnderTest>* list) {
  std::optional<PgsqlTestServer> server = PgsqlTestServerFromEnv();
  if (!server) return;
  list->push_back({"pgsql", SYNTAX_POSTGRESQL,
                   [server](const std::string&) {
                     return std::unique_ptr<TestDatabase>(
                         new PgsqlTestDatabase(*server));
                   },
                   ""});
}
