// "init" end to end: the script through the batch runner, then new unique
// identifiers for the built-in user and group, on every backend.

#include <gtest/gtest.h>

#include <regex>

#include "support/backend_test.h"

namespace {

const char kScript[] =
    "CREATE TABLE users (id integer not null, name varchar(63), guid "
    "varchar(36));\n"
    "CREATE TABLE user_groups (id integer not null, name varchar(63), guid "
    "varchar(36));\n"
    "INSERT INTO users (id,name,guid) VALUES (0,'admin','');\n"
    "INSERT INTO users (id,name,guid) VALUES (1,'guest','');\n"
    "INSERT INTO user_groups (id,name,guid) VALUES "
    "(-2147483648,'Everyone','');\n";

class InitTest : public BackendTest {
 protected:
  std::string Guid(const char* table, const char* id) {
    return db_->Scalar(std::string("SELECT guid FROM ") + table +
                       " WHERE id=" + id);
  }
};

TEST_P(InitTest, RunsTheScriptAndSetsNewIdentifiers) {
  RunResult r = Run({"init", WriteFile("init.sql", kScript)});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, Banner() + std::string("Initializing database...\n"
                                          "Database initialized "
                                          "successfully\n"));
  const std::regex uuid(
      "[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}");
  std::string user = Guid("users", "0");
  std::string group = Guid("user_groups", "-2147483648");
  EXPECT_TRUE(std::regex_match(user, uuid)) << user;
  EXPECT_TRUE(std::regex_match(group, uuid)) << group;
  EXPECT_NE(user, group);
  EXPECT_EQ(Guid("users", "1"), "");

  // A second initialisation gives other identifiers.
  db_->Exec("DROP TABLE users;\nDROP TABLE user_groups");
  Run({"init", WriteFile("init.sql", kScript)});
  EXPECT_NE(Guid("users", "0"), user);
  EXPECT_NE(Guid("user_groups", "-2147483648"), group);
}

TEST_P(InitTest, TraceShowsBothUpdatesWithTheirIdentifiers) {
  RunResult r = Run({"-t", "init", WriteFile("init.sql", kScript)});
  std::string user = Guid("users", "0");
  std::string group = Guid("user_groups", "-2147483648");
  std::string expected_tail =
      ">>> UPDATE users SET guid='" + user +
      "' WHERE id=0\n>>> UPDATE user_groups SET guid='" + group +
      "' WHERE id=-2147483648\nDatabase initialized successfully\n";
  ASSERT_GE(r.out.size(), expected_tail.size());
  EXPECT_EQ(r.out.substr(r.out.size() - expected_tail.size()), expected_tail);
}

TEST_P(InitTest, FailuresAreReported) {
  std::string absent = dir_ + "/absent.sql";
  const struct {
    const char* name;
    std::string script_path;
    std::string out;
  } cases[] = {
      {"missing file", absent,
       "Initializing database...\nERROR: Cannot load SQL command file " +
           absent + "\nDatabase initialization failed\n"},
      {"empty script", WriteFile("empty.sql", "\n  \n"),
       "Initializing database...\nDatabase initialization failed\n"},
  };
  for (const auto& c : cases) {
    RunResult r = Run({"init", c.script_path});
    EXPECT_EQ(r.exit_code, 0) << c.name;
    EXPECT_EQ(r.out, Banner() + c.out) << c.name;
  }
}

TEST_P(InitTest, MissingUsersTableFailsTheInitialisation) {
  RunResult r =
      Run({"init", WriteFile("s.sql", "CREATE TABLE other (id integer)")});
  EXPECT_EQ(r.out.find("Initializing database...\nSQL query failed ("),
            std::string(Banner()).size())
      << r.out;
  const std::string tail = "UPDATE users SET guid='";
  EXPECT_NE(r.out.find(tail), std::string::npos);
  EXPECT_NE(r.out.find("' WHERE id=0\nDatabase initialization failed\n"),
            std::string::npos)
      << r.out;
}

TEST_P(InitTest, ScriptWithoutBuiltInRowsStillSucceeds) {
  RunResult r = Run(
      {"init", WriteFile("s.sql",
                         "CREATE TABLE users (id integer, guid varchar(36));"
                         "CREATE TABLE user_groups (id integer, guid "
                         "varchar(36))")});
  EXPECT_EQ(r.out, Banner() + std::string("Initializing database...\n"
                                          "Database initialized "
                                          "successfully\n"));
}

INSTANTIATE_BACKEND_SUITE(InitTest);

}  // namespace
