// The end-to-end fixture and the file helpers of the tests.

#include "support/backend_test.h"

#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "front/config_template.h"
#include "front/globals.h"

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string MakeTempDir() {
  const char* base = getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr ? base : "/tmp") + "/schemon_test_XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr) {
    ADD_FAILURE() << "mkdtemp failed";
  }
  return pattern;
}

void RemoveTree(const std::string& dir) {
  nftw(
      dir.c_str(),
      [](const char* path, const struct stat*, int, struct FTW*) {
        return remove(path);
      },
      16, FTW_DEPTH | FTW_PHYS);
}

void BackendTest::SetUp() {
  if (!GetParam().create) GTEST_SKIP() << GetParam().disabled_reason;
  dir_ = MakeTempDir();
  db_ = GetParam().create(dir_);
  ASSERT_NE(db_->conn(), nullptr);
  config_path_ = WriteFile("server.conf", db_->ConfigText());
}

void BackendTest::ConnectInProcess() {
  // The loader leaves keys the file lacks as they are: start from empty
  // settings so that no earlier test's backend options leak in.
  g_szDbDriver[0] = g_szDbDrvParams[0] = g_szDbServer[0] = 0;
  g_szDbName[0] = g_szDbLogin[0] = g_szDbPassword[0] = 0;
  ASSERT_EQ(QzLoadConfig(config_path_.c_str(), "", g_configTemplate, 1), 0);
  ASSERT_TRUE(DBInit(0, 0, 0, nullptr));
  g_hDbConnection = DBConnect();
  ASSERT_NE(g_hDbConnection, nullptr);
  g_nDbSyntax = DBGetSyntax(g_hDbConnection);
}

void BackendTest::TearDown() {
  if (g_hDbConnection != nullptr) {
    DBDisconnect(g_hDbConnection);
    g_hDbConnection = nullptr;
    DBUnloadDriver();
  }
  g_bShowQueries = 0;
  g_bRepairWithoutAsking = 0;
  g_bContinueOnError = 0;
  g_pszTableOptions = "";
  g_nDbSyntax = 0;
  db_.reset();
  RemoveTree(dir_);
}

RunResult BackendTest::Run(const std::vector<std::string>& args,
                           const std::string& input) {
  std::vector<std::string> full = {"-c", config_path_};
  full.insert(full.end(), args.begin(), args.end());
  RunResult result = RunSchemon(full, input);
  EXPECT_FALSE(result.timed_out) << "schemon hung";
  return result;
}

std::string BackendTest::WriteFile(const std::string& name,
                                   const std::string& content) {
  std::string path = dir_ + "/" + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

void BackendTest::CreateServerTables(int version,
                                     const std::string& lock_status) {
  db_->Exec(
      "CREATE TABLE config (var_name varchar(63) not null, var_value "
      "varchar(2000), is_visible integer default 1, need_server_restart "
      "integer default 0, PRIMARY KEY(var_name))");
  if (version >= 87) {
    db_->Exec(
        "CREATE TABLE metadata (var_name varchar(63) not null, var_value "
        "varchar(255) not null, PRIMARY KEY(var_name))");
    db_->Exec(
        "INSERT INTO metadata (var_name,var_value) VALUES "
        "('SchemaVersion','" +
        std::to_string(version) + "')");
  } else {
    SetConfig("DBFormatVersion", std::to_string(version));
  }
  if (!lock_status.empty()) SetConfig("DBLockStatus", lock_status);
}

void BackendTest::SetConfig(const std::string& name, const std::string& value) {
  db_->TryExec("DELETE FROM config WHERE var_name='" + name + "'");
  db_->Exec("INSERT INTO config (var_name,var_value) VALUES ('" + name + "','" +
            value + "')");
}
