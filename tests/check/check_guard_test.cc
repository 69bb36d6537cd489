// "check" before its stages: the version test, the lock and its forced
// unlock, and the run of a clean database, on every backend.

#include <gtest/gtest.h>

#include "check/check_fixture.h"

namespace {

class CheckGuardTest : public CheckTest {};

TEST_P(CheckGuardTest, OtherVersionsAreRefused) {
  const struct {
    int version;
    const char* message;
  } cases[] = {
      {97,
       "Your database has format version 97, this tool is compiled for "
       "version 98.\nUse \"upgrade\" command to upgrade your database "
       "first.\n"},
      {99,
       "Your database has format version 99, this tool is compiled for "
       "version 98.\nYou need to upgrade your server before using this "
       "database.\n"},
  };
  AddNode(5, "0.0.0.0");  // a fault, were the stages to run
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    db_->Exec("UPDATE metadata SET var_value='" + std::to_string(c.version) +
              "' WHERE var_name='SchemaVersion'");
    EXPECT_EQ(Check({"-f"}), std::string("Checking database:\n") + c.message +
                                 "Database check aborted\n");
    EXPECT_EQ(Count("nodes"), "1");
  }
}

TEST_P(CheckGuardTest, LockIsForcedOpenOrTheCheckAborts) {
  const std::string clean = AllStagesPassed() +
                            "Database doesn't contain any errors\n"
                            "Database check completed\n";
  const std::string question =
      "Database is locked by server srv#20A [info]\n"
      "Do you wish to force database unlock? (Y/N) ";
  const struct {
    const char* name;
    const char* status;  // null: no DBLockStatus row
    std::vector<std::string> options;
    const char* input;
    std::string out;
    const char* status_after;
  } cases[] = {
      {"no lock row", nullptr, {}, "", clean, "<none>"},
      {"unlocked", "UNLOCKED", {}, "", clean, "UNLOCKED"},
      {"declined",
       "srv#2320A",
       {},
       "n",
       question + "N\nDatabase check aborted\n",
       "srv#2320A"},
      {"end of input",
       "srv#2320A",
       {},
       "",
       question + "N\nDatabase check aborted\n",
       "srv#2320A"},
      {"accepted",
       "srv#2320A",
       {},
       "xy",
       question + "Y\nDatabase lock removed\n" + clean,
       "UNLOCKED"},
      {"forced",
       "srv#2320A",
       {"-f"},
       "",
       question + "Y\nDatabase lock removed\n" + clean,
       "UNLOCKED"},
  };
  SetConfig("DBLockInfo", "info");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    db_->Exec("DELETE FROM config WHERE var_name='DBLockStatus'");
    if (c.status != nullptr) SetConfig("DBLockStatus", c.status);
    EXPECT_EQ(Check(c.options, c.input), "Checking database:\n" + c.out);
    EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                          "var_name='DBLockStatus'"),
              c.status_after);
  }
}

TEST_P(CheckGuardTest, FailedUnlockAbortsTheCheck) {
  db_->Exec(
      "DROP TABLE config;\n"
      "CREATE TABLE config (var_name varchar(63) not null, var_value "
      "varchar(255) not null CHECK (var_value <> 'UNLOCKED'))");
  db_->Exec(
      "INSERT INTO config (var_name,var_value) VALUES ('DBLockStatus','srv')");
  AddNode(5, "0.0.0.0");
  EXPECT_EQ(MaskErrors(Check({"-f"})),
            "Checking database:\n"
            "Database is locked by server srv []\n"
            "Do you wish to force database unlock? (Y/N) Y\n"
            "SQL query failed (E):\n"
            "UPDATE config SET var_value='UNLOCKED' where "
            "var_name='DBLockStatus'\n"
            "Database check aborted\n");
  EXPECT_EQ(Count("nodes"), "1");
}

TEST_P(CheckGuardTest, EmptyTablesPassEveryStage) {
  // With -t the stage lines are broken by the traced selects; without it
  // a clean run is eight PASSED lines.
  EXPECT_EQ(Check({}), "Checking database:\n" + AllStagesPassed() +
                           "Database doesn't contain any errors\n"
                           "Database check completed\n");
  std::string traced = Check({"-t"});
  EXPECT_NE(traced.find(StageOpen(kStageTitles[0]) +
                        ">>> SELECT id,primary_ip FROM nodes\n[PASSED]\n"),
            std::string::npos)
      << traced;
}

INSTANTIATE_BACKEND_SUITE(CheckGuardTest);

}  // namespace
