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

class MysqlTestDatabase : public TestDatabase {
 public:
  explicit MysqlTestDatabase(const MysqlTestServer& server)
      : server_(server), name_(UniqueDatabaseName()) {
    std::string error;
    auto admin = ConnectMysql(server_, "", &error);
    if (admin == nullptr ||
        !admin->Execute("CREATE DATABASE " + name_ + " CHARACTER SET utf8mb4",
                        &error)) {
      ADD_FAILURE() << error;
      return;
    }
    created_ = true;
    conn_ = ConnectMysql(server_, name_, &error);
    if (conn_ == nullptr) ADD_FAILURE() << error;
  }

  ~MysqlTestDatabase() override {
    conn_.reset();
    if (!created_) return;
    std::string error;
    auto admin = ConnectMysql(server_, "", &error);
    if (admin == nullptr ||
        !admin->Execute("DROP DATABASE IF EXISTS " + name_, &error)) {
      ADD_FAILURE() << error;
    }
  }

  std::string ConfigText() const override {
    return "DBDriver = mysql\nDBServer = " + server_.host +
           "\nDBName = " + name_ + "\nDBLogin = " + server_.user +
           "\nDBDrvParams = \"" + server_.options + "\"\n";
  }

 private:
  MysqlTestServer server_;
  std::string name_;
  bool created_ = false;
};

}  // namespace

void AddMysqlBackend(std::vector<BackendUnderTest>* list) {
  const char* text = getenv("SCHEMON_TEST_MYSQL");
  if (text == nullptr || *text == 0) return;
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string error;
  if (!driver::ParseOptions(text, &pairs, &error)) {
    fprintf(stderr, "SCHEMON_TEST_MYSQL: %s\n", error.c_str());
    exit(2);
  }
  MysqlTestServer server;
  for (const auto& pair : pairs) {
    if (pair.first == "host") server.host = pair.second;
    if (pair.first == "user") server.user = pair.second;
    if (pair.first == "socket" || pair.first == "port") {
      server.options +=
          (server.options.empty() ? "" : " ") + pair.first + "=" + pair.second;
    }
  }
  list->push_back({"mysql", SYNTAX_MYSQL, [server](const std::string&) {
                     return std::unique_ptr<TestDatabase>(
                         new MysqlTestDatabase(server));
                   }});
}
