// MySQL/MariaDB test databases: one new database per test on the server
// named by SCHEMON_TEST_MYSQL ("socket=PATH user=NAME", or "host=H port=N
// user=NAME"; written by tests/servers/with_servers.sh), dropped again when
// the test ends.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "db/driver/syntax.h"
#include "support/test_db.h"

namespace {

struct MysqlTestServer {
  std::string host = "localhost";
  std::string options;  // DBDrvParams: socket or port
  std::string user = "root";
};

std::unique_ptr<driver::Connection> ConnectMysql(const MysqlTestServer& server,
                                                 const std::string& database,
                                                 std::string* error) {
  driver::ConnectParams params;
  params.server = server.host;
  params.name = database;
  params.login = server.user;
  params.options = server.options;
  return driver::FindBackend("mysql")->Connect(params, error);
}

class MysqlTestDatabase : public ServerTestDatabase {
 public:
  explicit MysqlTestDatabase(const MysqlTestServer& server)
      : server_(server), name_(UniqueDatabaseName()) {
    // The drop runs after this object's members are gone: capture copies.
    auto admin = [server](const std::string& statement, std::string* error) {
      auto conn = ConnectMysql(server, "", error);
      return conn != nullptr && conn->Execute(statement, error);
    };
    Open(
        [admin, name = name_](std::string* error) {
          return admin("CREATE DATABASE " + name + " CHARACTER SET utf8mb4",
                       error);
        },
        [this](std::string* error) {
          return ConnectMysql(server_, name_, error);
        },
        [admin, name = name_](std::string* error) {
          return admin("DROP DATABASE IF EXISTS " + name, error);
        });
  }

  std::string ConfigText() const override {
    return "DBDriver = mysql\nDBServer = " + server_.host +
           "\nDBName = " + name_ + "\nDBLogin = " + server_.user +
           "\nDBDrvParams = \"" + server_.options + "\"\n";
  }

 private:
  MysqlTestServer server_;
  std::string name_;
};

MysqlTestServer ServerFromSettings(
    const std::map<std::string, std::string>& settings) {
  MysqlTestServer server;
  for (const auto& pair : settings) {
    if (pair.first == "host") server.host = pair.second;
    if (pair.first == "user") server.user = pair.second;
    if (pair.first == "socket" || pair.first == "port") {
      server.options +=
          (server.options.empty() ? "" : " ") + pair.first + "=" + pair.second;
    }
  }
  return server;
}

}  // namespace

std::unique_ptr<TestDatabase> MakeMysqlTestDatabase(
    const std::string& settings) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string error;
  if (!driver::ParseOptions(settings, &pairs, &error)) {
    ADD_FAILURE() << settings << ": " << error;
  }
  MysqlTestServer server = ServerFromSettings(
      std::map<std::string, std::string>(pairs.begin(), pairs.end()));
  return std::unique_ptr<TestDatabase>(new MysqlTestDatabase(server));
}

void AddMysqlBackend(std::vector<BackendUnderTest>* list) {
  auto settings = ServerSettingsFromEnv("SCHEMON_TEST_MYSQL");
  if (!settings) return;
  MysqlTestServer server = ServerFromSettings(*settings);
  list->push_back({"mysql", SYNTAX_MYSQL,
                   [server](const std::string&) {
                     return std::unique_ptr<TestDatabase>(
                         new MysqlTestDatabase(server));
                   },
                   ""});
}
