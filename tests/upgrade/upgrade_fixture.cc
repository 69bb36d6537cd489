#include "upgrade/upgrade_fixture.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "db/driver/syntax.h"
#include "front/globals.h"
#include "upgrade/step_resume.h"
#include "upgrade/step_table.h"

int UpgradeTest::StoredVersion() {
  // As the tool reads it: an empty metadata (a step 86 to 87 interrupted on
  // MySQL, whose CREATE TABLE committed on its own) still leaves config's.
  std::string value =
      db_->TableExists("metadata")
          ? db_->Scalar(
                "SELECT var_value FROM metadata WHERE var_name='SchemaVersion'")
          : "<none>";
  if (value == "<none>") {
    value = db_->Scalar(
        "SELECT var_value FROM config WHERE var_name='DBFormatVersion'");
  }
  if (value.empty() || !isdigit(static_cast<unsigned char>(value[0]))) {
    return -1;
  }
  return std::stoi(value);
}

namespace {

// "int" for the integer types, "text" for the character types.
std::string TypeFamily(std::string type) {
  std::transform(type.begin(), type.end(), type.begin(), ::tolower);
  if (type.find("int") != std::string::npos ||
      type.find("number") != std::string::npos) {
    return "int";
  }
  if (type.find("char") != std::string::npos ||
      type.find("text") != std::string::npos ||
      type.find("clob") != std::string::npos) {
    return "text";
  }
  return type;
}

}  // namespace

std::vector<std::string> UpgradeTest::TypedColumns(const std::string& table,
                                                   TestDatabase* db) {
  if (db == nullptr) db = db_.get();
  std::string sql;
  switch (syntax()) {
    case SYNTAX_SQLITE:
      sql = "SELECT name,type FROM pragma_table_info('" + table + "')";
      break;
    case SYNTAX_POSTGRESQL:
      sql =
          "SELECT column_name,data_type FROM information_schema.columns WHERE "
          "table_schema=current_schema() AND table_name='" +
          table + "' ORDER BY ordinal_position";
      break;
    default:
      sql =
          "SELECT column_name,data_type FROM information_schema.columns WHERE "
          "table_schema=DATABASE() AND table_name='" +
          table + "' ORDER BY ordinal_position";
      break;
  }
  std::vector<std::string> names;
  for (const auto& row : db->Rows(sql)) {
    std::string name = row[0];
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    names.push_back(name + " " + TypeFamily(row[1]));
  }
  return names;
}

std::vector<std::string> UpgradeTest::Columns(const std::string& table,
                                              TestDatabase* db) {
  std::vector<std::string> names = TypedColumns(table, db);
  for (std::string& name : names) name = name.substr(0, name.find(' '));
  return names;
}

std::vector<std::string> UpgradeTest::TableNames(TestDatabase* db) {
  if (db == nullptr) db = db_.get();
  std::string sql;
  switch (syntax()) {
    case SYNTAX_SQLITE:
      sql =
          "SELECT name FROM sqlite_master WHERE type='table' AND name NOT "
          "LIKE 'sqlite#_%' ESCAPE '#'";
      break;
    case SYNTAX_POSTGRESQL:
      sql =
          "SELECT table_name FROM information_schema.tables WHERE "
          "table_schema=current_schema() AND table_type='BASE TABLE'";
      break;
    default:
      sql =
          "SELECT table_name FROM information_schema.tables WHERE "
          "table_schema=DATABASE() AND table_type='BASE TABLE'";
      break;
  }
  std::vector<std::string> names;
  for (const auto& row : db->Rows(sql)) {
    std::string name = row[0];
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool UpgradeTest::HasColumn(const std::string& table,
                            const std::string& column) {
  std::vector<std::string> names = Columns(table);
  return std::find(names.begin(), names.end(), column) != names.end();
}

std::vector<std::string> UpgradeTest::ConfigRow(const std::string& name) {
  auto rows = db_->Rows(
      "SELECT var_value,is_visible,need_server_restart FROM config WHERE "
      "var_name='" +
      name + "'");
  return rows.empty() ? std::vector<std::string>() : rows[0];
}

int UpgradeTest::RunStep(int (*step)(), std::string* out) {
  if (out != nullptr) ::testing::internal::CaptureStdout();
  DBBegin(g_hDbConnection);
  UpgradeStep entry = {0, step};
  for (const UpgradeStep* s = g_upgradeSteps; s->procedure != nullptr; s++) {
    if (s->procedure == step) entry = *s;
  }
  int result = RunResumableStep(entry);
  if (result != 0) {
    EXPECT_TRUE(DBCommit(g_hDbConnection)) << DBGetLastError(g_hDbConnection);
  } else {
    DBRollback(g_hDbConnection);
  }
  fflush(stdout);
  if (out != nullptr) *out = ::testing::internal::GetCapturedStdout();
  return result;
}

void UpgradeTest::WaitForServerSessionsToEnd() {
  std::string others;
  if (syntax() == SYNTAX_POSTGRESQL) {
    others =
        "SELECT COUNT(*) FROM pg_stat_activity WHERE "
        "datname=current_database() AND pid<>pg_backend_pid()";
  } else if (syntax() == SYNTAX_MYSQL) {
    others =
        "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE "
        "DB=DATABASE() AND ID<>CONNECTION_ID()";
  } else {
    return;
  }
  for (int i = 0; i < 1000 && db_->Scalar(others) != "0"; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string UpgradeTest::StepLines(int from, int to) {
  std::string lines;
  for (int v = from; v < to; v++) {
    lines += "Upgrading from version " + std::to_string(v) + " to " +
             std::to_string(v + 1) + "\n";
  }
  return lines;
}

void UpgradeTest::LoadBaseline63(TestDatabase* db) {
  if (db == nullptr) db = db_.get();
  const char* dialect = syntax() == SYNTAX_SQLITE       ? "sqlite"
                        : syntax() == SYNTAX_POSTGRESQL ? "pgsql"
                                                        : "mysql";
  std::string path = std::string(SCHEMON_SOURCE_DIR) +
                     "/tests/upgrade/baseline63/baseline63_" + dialect + ".sql";
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file.good()) << path;
  std::stringstream text;
  text << file.rdbuf();
  db->Exec(text.str());
}
