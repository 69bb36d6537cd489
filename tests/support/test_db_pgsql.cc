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

class PgsqlTestDatabase : public TestDatabase {
 public:
  explicit PgsqlTestDatabase(const PgsqlTestServer& server)
      : server_(server), name_(UniqueDatabaseName()) {
    std::string error;
    if (!CreatePgsqlDatabase(server_, name_, &error)) {
      ADD_FAILURE() << error;
      return;
    }
    created_ = true;
    conn_ = ConnectPgsql(server_, name_, &error);
    if (conn_ == nullptr) ADD_FAILURE() << error;
  }

  ~PgsqlTestDatabase() override {
    conn_.reset();
    std::string error;
    if (created_ && !DropPgsqlDatabase(server_, name_, &error)) {
      ADD_FAILURE() << error;
    }
  }

  std::string ConfigText() const override {
    return "DBDriver = pgsql\nDBServer = " + server_.host +
           "\nDBName = " + name_ + "\nDBLogin = " + server_.user +
           "\nDBDrvParams = \"port=" + server_.port + "\"\n";
  }

 private:
  PgsqlTestServer server_;
  std::string name_;
  bool created_ = false;
};

}  // namespace

std::optional<PgsqlTestServer> PgsqlTestServerFromEnv() {
  const char* text = getenv("SCHEMON_TEST_PGSQL");
  if (text == nullptr || *text == 0) return std::nullopt;
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string error;
  if (!driver::ParseOptions(text, &pairs, &error)) {
    fprintf(stderr, "SCHEMON_TEST_PGSQL: %s\n", error.c_str());
    exit(2);
  }
  PgsqlTestServer server{"", "5432", "postgres"};
  for (const auto& pair : pairs) {
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

void AddPgsqlBackend(std::vector<BackendUnderTest>* list) {
  std::optional<PgsqlTestServer> server = PgsqlTestServerFromEnv();
  if (!server) return;
  list->push_back({"pgsql", SYNTAX_POSTGRESQL, [server](const std::string&) {
                     return std::unique_ptr<TestDatabase>(
                         new PgsqlTestDatabase(*server));
                   }});
}
