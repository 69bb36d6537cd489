// The shared part of the test databases: running statements on them, the
// servers named by the environment and the list of backends.

#include "support/test_db.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "db/driver/syntax.h"

void TestDatabase::Exec(const std::string& sql) {
  size_t start = 0;
  while (start < sql.size()) {
    size_t end = sql.find(";\n", start);
    if (end == std::string::npos) end = sql.size();
    std::string statement = sql.substr(start, end - start);
    start = end + 2;
    if (statement.find_first_not_of(" \t\r\n") == std::string::npos) continue;
    std::string error;
    ASSERT_TRUE(conn_->Execute(statement, &error))
        << statement << "\n -> " << error;
  }
}

bool TestDatabase::TryExec(const std::string& sql) {
  std::string error;
  return conn_->Execute(sql, &error);
}

std::vector<std::vector<std::string>> TestDatabase::Rows(
    const std::string& sql) {
  driver::BufferedResult result;
  std::string error;
  std::vector<std::vector<std::string>> rows;
  if (!conn_->Select(sql, &result, &error)) {
    ADD_FAILURE() << sql << "\n -> " << error;
    return rows;
  }
  for (const auto& row : result.rows) {
    std::vector<std::string> texts;
    for (const auto& value : row) texts.push_back(value ? *value : "<null>");
    rows.push_back(texts);
  }
  return rows;
}

std::string TestDatabase::Scalar(const std::string& sql) {
  auto rows = Rows(sql);
  if (rows.empty() || rows[0].empty()) return "<none>";
  return rows[0][0];
}

bool TestDatabase::TableExists(const std::string& table) {
  driver::BufferedResult result;
  std::string error;
  return conn_->Select("SELECT * FROM " + table + " WHERE 1=0", &result,
                       &error);
}

ServerTestDatabase::~ServerTestDatabase() {
  conn_.reset();
  std::string error;
  if (drop_ && !drop_(&error)) ADD_FAILURE() << error;
}

void ServerTestDatabase::Open(const Step& create, const Connector& connect,
                              Step drop) {
  std::string error;
  if (!create(&error)) {
    ADD_FAILURE() << error;
    return;
  }
  drop_ = std::move(drop);
  connect_ = connect;
  conn_ = connect(&error);
  if (conn_ == nullptr) ADD_FAILURE() << error;
}

bool ServerTestDatabase::Reconnect() {
  std::string error;
  conn_ = connect_ ? connect_(&error) : nullptr;
  if (conn_ == nullptr) ADD_FAILURE() << "reconnecting: " << error;
  return conn_ != nullptr;
}

std::optional<std::map<std::string, std::string>> ServerSettingsFromEnv(
    const char* variable) {
  const char* text = getenv(variable);
  if (text == nullptr || *text == 0) return std::nullopt;
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string error;
  if (!driver::ParseOptions(text, &pairs, &error)) {
    fprintf(stderr, "%s: %s\n", variable, error.c_str());
    exit(2);
  }
  return std::map<std::string, std::string>(pairs.begin(), pairs.end());
}

std::vector<BackendUnderTest> EnabledBackends() {
  std::vector<BackendUnderTest> list;
  AddSqliteBackend(&list);
  AddPgsqlBackend(&list);
  AddMysqlBackend(&list);
  AddOdbcBackends(&list);
  return list;
}

std::vector<BackendUnderTest> AllBackends() {
  std::vector<BackendUnderTest> all = {
      {"sqlite", SYNTAX_SQLITE, nullptr, "the SQLite backend is not built"},
      {"pgsql", SYNTAX_POSTGRESQL, nullptr, "SCHEMON_TEST_PGSQL is not set"},
      {"mysql", SYNTAX_MYSQL, nullptr, "SCHEMON_TEST_MYSQL is not set"},
      {"odbc_pgsql", SYNTAX_POSTGRESQL, nullptr,
       "SCHEMON_TEST_ODBC and SCHEMON_TEST_PGSQL are not both set"},
      {"odbc_sqlite", SYNTAX_SQLITE, nullptr, "SCHEMON_TEST_ODBC is not set"},
  };
  for (BackendUnderTest& enabled : EnabledBackends()) {
    auto known = std::find_if(
        all.begin(), all.end(),
        [&](const BackendUnderTest& b) { return b.name == enabled.name; });
    if (known != all.end()) {
      *known = enabled;
    } else {
      all.push_back(enabled);
    }
  }
  return all;
}

std::string BackendName(const BackendUnderTest& backend) {
  return backend.name;
}

std::string UniqueDatabaseName() {
  static std::atomic<int> counter{0};
  return "schemon_t" + std::to_string(getpid()) + "_" +
         std::to_string(counter++);
}
