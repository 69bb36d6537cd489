// The upgrade driver end to end: the step table, the version and lock
// tests, one transaction per step, the messages of a failed step and of a
// failed commit.

#include <gtest/gtest.h>

#include "front/globals.h"
#include "support/process.h"
#include "upgrade/step_table.h"
#include "upgrade/steps.h"
#include "upgrade/upgrade.h"
#include "upgrade/upgrade_fixture.h"

namespace {

TEST(StepTableTest, OneStepPerVersionFrom14To97ThenTheTerminator) {
  for (int i = 0; i < UPGRADE_STEP_COUNT; i++) {
    EXPECT_EQ(g_upgradeSteps[i].fromVersion, UPGRADE_FIRST_VERSION + i);
    EXPECT_NE(g_upgradeSteps[i].procedure, nullptr) << i;
    for (int j = 0; j < i; j++) {
      EXPECT_NE(g_upgradeSteps[i].procedure, g_upgradeSteps[j].procedure)
          << "steps " << i << " and " << j << " share a procedure";
    }
  }
  EXPECT_EQ(UPGRADE_FIRST_VERSION + UPGRADE_STEP_COUNT, DB_FORMAT_VERSION);
  EXPECT_EQ(g_upgradeSteps[UPGRADE_STEP_COUNT].fromVersion, 0);
  EXPECT_EQ(g_upgradeSteps[UPGRADE_STEP_COUNT].procedure, nullptr);
  EXPECT_EQ(FindUpgradeStep(63)->procedure, Migrate63To64);
  EXPECT_EQ(FindUpgradeStep(97)->procedure, Migrate97To98);
  EXPECT_EQ(FindUpgradeStep(13), nullptr);
  EXPECT_EQ(FindUpgradeStep(98), nullptr);
  EXPECT_EQ(FindUpgradeStep(0), nullptr);
}

class UpgradeDriverTest : public UpgradeTest {
 protected:
  std::string Upgrade(const std::vector<std::string>& options = {}) {
    std::vector<std::string> args = options;
    args.push_back("upgrade");
    RunResult r = Run(args);
    EXPECT_EQ(r.exit_code, 0);
    return r.out;
  }
};

TEST_P(UpgradeDriverTest, VersionAndLockTests) {
  const struct {
    int version;  // -1: no version row
    const char* lock;
    const char* out;
  } cases[] = {
      {98, "server1", "Your database format is up to date\n"},
      {99, "UNLOCKED",
       "Your database has format version 99, this tool is compiled for "
       "version 98.\nYou need to upgrade your server before using this "
       "database.\n"},
      {13, "UNLOCKED",
       "Unable to find upgrade procedure for version 13\n"
       "Database upgrade failed\n"},
      {-1, "",
       "Unable to find upgrade procedure for version 0\n"
       "Database upgrade failed\n"},
      {50, "server1", "Database is locked\n"},
      // The stored value counts as is: an escaped "UNLOCKED" is not it.
      {82, "#55NLOCKED", "Database is locked\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    db_->TryExec("DROP TABLE config");
    db_->TryExec("DROP TABLE metadata");
    CreateServerTables(c.version < 0 ? 80 : c.version, c.lock);
    if (c.version < 0)
      db_->Exec("DELETE FROM config WHERE var_name='DBFormatVersion'");
    EXPECT_EQ(Upgrade(),
              Banner() + std::string("Upgrading database...\n") + c.out);
    EXPECT_EQ(StoredVersion(), c.version);
  }
}

// Steps 81 to 84 need only config and alarms.
void CreateTablesOf81(TestDatabase* db) {
  db->Exec(
      "CREATE TABLE alarms (alarm_id integer not null,timeout integer,"
      "timeout_event integer,PRIMARY KEY(alarm_id));\n"
      "INSERT INTO alarms (alarm_id,timeout,timeout_event) VALUES (1,5,7)");
}

TEST_P(UpgradeDriverTest, StepsCommitOneByOneAndAFailedStepIsRolledBack) {
  CreateServerTables(81, "");  // no DBLockStatus row counts as unlocked
  CreateTablesOf81(db_.get());
  // Step 84 to 85 fails: it alters nodes, which does not exist.
  std::string out = Upgrade();
  EXPECT_EQ(
      out.substr(0, out.find("SQL query failed")),
      Banner() + std::string("Upgrading database...\n") + StepLines(81, 85));
  EXPECT_NE(out.find("\nALTER TABLE nodes ADD "), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.size() - 73),
            "Rolling back last stage due to upgrade errors...\n"
            "Database upgrade failed\n");
  EXPECT_EQ(StoredVersion(), 84);
  EXPECT_TRUE(db_->TableExists("config_clob"));
  EXPECT_EQ(ConfigRow("EnableAgentRegistration")[0], "1");
  EXPECT_EQ(db_->Scalar("SELECT timeout_event FROM alarms"), "43");
  // The next run starts where the last one stopped.
  out = Upgrade();
  EXPECT_NE(
      out.find("Upgrading database...\nUpgrading from version 84 to 85\n"),
      std::string::npos)
      << out;
  EXPECT_EQ(StoredVersion(), 84);
}

TEST_P(UpgradeDriverTest, ACollidingTableFailsItsStep) {
  CreateServerTables(81);
  db_->Exec("CREATE TABLE config_clob (other integer)");
  std::string out = Upgrade();
  EXPECT_EQ(
      out.substr(0, out.find("SQL query failed")),
      Banner() + std::string("Upgrading database...\n") + StepLines(81, 82));
  EXPECT_NE(out.find("CREATE TABLE config_clob (var_name"), std::string::npos);
  if (syntax() == SYNTAX_MYSQL) {
    // Looked at before it is sent, since the statement would commit on its
    // own there: the report says what differs.
    EXPECT_NE(out.find("SQL query failed (table config_clob exists with "
                       "columns (other); the step creates (var_name, "
                       "var_value)):\nCREATE TABLE config_clob (var_name"),
              std::string::npos)
        << out;
  }
  EXPECT_EQ(out.substr(out.size() - 73),
            "Rolling back last stage due to upgrade errors...\n"
            "Database upgrade failed\n");
  EXPECT_EQ(StoredVersion(), 81);
  EXPECT_EQ(Columns("config_clob"), (std::vector<std::string>{"other"}));
}

TEST_P(UpgradeDriverTest, ContinueOnErrorGoesPastFailuresAndWritesEachVersion) {
  CreateServerTables(82);
  // Nothing but config: every step from 82 on meets missing tables, and -X
  // goes past each failed statement to the version statement.
  std::string out = Upgrade({"-X"});
  EXPECT_NE(out.find("UPDATE alarms SET timeout=0,timeout_event=43"),
            std::string::npos)
      << out;
  size_t at = 0;
  for (int v = 82; v < 98; v++) {
    at = out.find(StepLines(v, v + 1), at);
    ASSERT_NE(at, std::string::npos) << v << "\n" << out;
  }
  EXPECT_EQ(out.find("Rolling back"), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.size() - 27), "Database upgrade succeeded\n");
  EXPECT_EQ(StoredVersion(), 98);
  EXPECT_EQ(ConfigRow("UseIfXTable")[0], "1");
}

TEST_P(UpgradeDriverTest, AFailedCommitEndsTheRunLikeAFailedStep) {
  if (syntax() != SYNTAX_POSTGRESQL) {
    GTEST_SKIP() << "needs a constraint checked at commit";
  }
  CreateServerTables(83);
  // A deferred constraint trigger refuses every new config row at COMMIT,
  // after the step itself has succeeded.
  db_->Exec(
      "CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
      "'refused at commit'; END $$ LANGUAGE plpgsql;\n"
      "CREATE CONSTRAINT TRIGGER refuse_insert AFTER INSERT ON config "
      "DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION refuse()");
  std::string out = Upgrade();
  size_t report = out.find("SQL query failed (");
  ASSERT_NE(report, std::string::npos) << out;
  EXPECT_NE(out.find("refused at commit", report), std::string::npos) << out;
  EXPECT_EQ(
      out.substr(0, report),
      Banner() + std::string("Upgrading database...\n") + StepLines(83, 84));
  EXPECT_NE(out.find(":\nCOMMIT\n", report), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.find("Rolling back")),
            "Rolling back last stage due to upgrade errors...\n"
            "Database upgrade failed\n");
  EXPECT_EQ(StoredVersion(), 83);
  EXPECT_TRUE(ConfigRow("EnableAgentRegistration").empty());
}

INSTANTIATE_BACKEND_SUITE(UpgradeDriverTest);

}  // namespace
