// The upgrade of the version-63 baseline to 98 on every backend: the run's
// output, the tables it leaves compared with a database made by the
// shipped version-98 init script, check and reindex on the result, and
// runs killed at random moments that the next run completes.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "db/driver/syntax.h"
#include "support/process.h"
#include "upgrade/upgrade_fixture.h"

extern char** environ;

namespace {

// Every table that a step from 63 on creates or changes.
const char* const kTablesOfTheSteps[] = {
    "audit_log",
    "policy_situation_attr_list",
    "situations",
    "snmp_communities",
    "trusted_nodes",
    "object_custom_attributes",
    "web_maps",
    "config_clob",
    "metadata",
    "userdb_custom_attributes",
    "usm_credentials",
    "cond_dci_map",
    "dci_schedules",
    "address_lists",
    "submap_links",
    "subnets",
    "interfaces",
    "thresholds",
    "snmp_trap_cfg",
    "event_log",
    "nodes",
    "network_services",
    "items",
    "event_policy",
    "templates",
    "containers",
    "cluster_resources",
    "object_properties",
    "alarms",
    "syslog",
    "snmp_trap_log",
    "config",
    "oid_to_type",
    "event_cfg",
    "object_tools",
    "object_tools_table_columns",
    "object_tools_acl",
    "users",
    "user_profiles",
    "conditions",
    "container_categories",
    "actions",
    "alarm_notes",
    "script_library",
    "maps",
    "agent_configs",
    "graphs",
    "certificates",
};

// Tables the steps drop.
const char* const kDroppedTables[] = {
    "modules",    "alarm_grops",      "alarm_group_map", "alarm_change_log",
    "lpp",        "lpp_associations", "lpp_rulesets",    "lpp_rules",
    "lpp_groups", "images",           "default_images",
};

// What each version shows in the schema: from version `version` on the
// table has the column (or, with column null, the table exists); below it,
// it does not. With dropped set, the other way round.
const struct {
  int version;
  const char* table;
  const char* column;
  bool dropped;
} kVersionMarks[] = {
    {66, "submap_links", "port1", false},
    {67, "interfaces", "synthetic_mask", false},
    {68, "thresholds", "repeat_interval", false},
    {69, "audit_log", nullptr, false},
    {70, "event_log", "user_tag", false},
    {71, "network_services", "required_polls", false},
    {72, "items", "proxy_node", false},
    {73, "situations", nullptr, false},
    {74, "event_cfg", nullptr, false},  // rows only; table always there
    {75, "snmp_communities", nullptr, false},
    {77, "cond_dci_map", "sequence_number", false},
    {78, "trusted_nodes", nullptr, false},
    {79, "modules", nullptr, true},
    {80, "nodes", "uname", false},
    {81, "dci_schedules", "schedule_id", false},
    {82, "config_clob", nullptr, false},
    {85, "nodes", "use_ifxtable", false},
    {86, "lpp", nullptr, true},
    {87, "metadata", nullptr, false},
    {88, "templates", "enable_auto_apply", false},
    {89, "containers", "enable_auto_bind", false},
    {90, "items", "base_units", false},
    {91, "userdb_custom_attributes", nullptr, false},
    {92, "images", nullptr, true},
    {93, "nodes", "usm_methods", false},
    {96, "object_properties", "location_type", false},
    {97, "usm_credentials", nullptr, false},
};

class UpgradeChainTest : public UpgradeTest {
 protected:
  bool Present(const char* table, const char* column) {
    return column == nullptr ? db_->TableExists(table)
                             : HasColumn(table, column);
  }

  // Fails the test unless the schema shows exactly the steps up to version.
  // With next_may_have_begun set the step after version may be half done
  // (after a kill on MySQL, where its DDL statements committed on their own).
  void ExpectSchemaOfVersion(int version, bool next_may_have_begun = false) {
    for (const auto& m : kVersionMarks) {
      if (m.column == nullptr && !m.dropped &&
          std::string(m.table) == "event_cfg") {
        continue;
      }
      if (next_may_have_begun && m.version == version + 1) continue;
      bool expected = (version >= m.version) != m.dropped;
      EXPECT_EQ(Present(m.table, m.column), expected)
          << "version " << version << ": " << m.table << "."
          << (m.column ? m.column : "*");
    }
    if (version < 87) {
      EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM config WHERE "
                            "var_name='DBFormatVersion'"),
                "1");
    }
  }

  std::string DialectName() const {
    return syntax() == SYNTAX_SQLITE       ? "sqlite"
           : syntax() == SYNTAX_POSTGRESQL ? "pgsql"
                                           : "mysql";
  }

  // A second database of the backend, filled by "init" with the shipped
  // version-98 script.
  std::unique_ptr<TestDatabase> MakeReference() {
    std::string dir = dir_ + "/reference";
    mkdir(dir.c_str(), 0700);
    std::unique_ptr<TestDatabase> ref = GetParam().create(dir);
    std::string config = dir + "/server.conf";
    std::ofstream(config) << ref->ConfigText();
    RunResult r = RunSchemon({"-c", config, "init",
                              std::string(SCHEMON_SOURCE_DIR) +
                                  "/lib/sql/dbinit_" + DialectName() + ".sql"});
    EXPECT_NE(r.out.find("Database initialized successfully"),
              std::string::npos)
        << r.out;
    return ref;
  }

  // Starts schemon upgrade, waits until it has begun its steps_to_wait-th
  // step, lets it work for delay more and kills it; returns when it is gone.
  void RunAndKill(int steps_to_wait, std::chrono::microseconds delay) {
    std::vector<std::string> args = {SchemonPath(), "-c", config_path_,
                                     "upgrade"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int spawned =
        posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    ASSERT_EQ(spawned, 0);
    std::string seen;
    char buffer[4096];
    int steps = 0;
    while (steps < steps_to_wait) {
      ssize_t n = read(out[0], buffer, sizeof(buffer));
      if (n <= 0) break;
      seen.append(buffer, n);
      size_t at;
      while ((at = seen.find("Upgrading from version")) != std::string::npos) {
        steps++;
        seen.erase(0, at + 1);
      }
    }
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    WaitForServerSessionsToEnd();
  }
};

TEST_P(UpgradeChainTest, Baseline63UpgradesTo98LikeAFreshDatabase) {
  LoadBaseline63();
  RunResult r = Run({"upgrade"});
  std::string expected =
      std::string(Banner()) + "Upgrading database...\n" + StepLines(63, 65);
  if (syntax() == SYNTAX_SQLITE) {
    expected +=
        "WARNING: Due to limitations of SQLite requested operation cannot be "
        "completed\nYou system will still be limited to use SNMP commonity "
        "strings not longer than 32 characters.\n";
  }
  expected += StepLines(65, 98) + "Database upgrade succeeded\n";
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(StoredVersion(), 98);
  ExpectSchemaOfVersion(98);
  for (const char* table : kDroppedTables) {
    EXPECT_FALSE(db_->TableExists(table)) << table;
  }

  std::unique_ptr<TestDatabase> ref = MakeReference();
  for (const char* table : kTablesOfTheSteps) {
    std::vector<std::string> got = TypedColumns(table);
    std::vector<std::string> want = TypedColumns(table, ref.get());
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want) << table;
  }

  // What the steps of 63 to 86 wrote.
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM oid_to_type WHERE pair_id "
                        "BETWEEN 15 AND 31"),
            "17");
  EXPECT_EQ(ConfigRow("EventLogRetentionTime"),
            (std::vector<std::string>{"60", "1", "0"}));
  EXPECT_EQ(ConfigRow("SyslogRetentionTime")[0], "1");
  EXPECT_EQ(ConfigRow("ThresholdRepeatInterval")[0], "3600");
  for (const char* gone : {"EventStormThreshold", "NumberOfEventProcessors",
                           "RetainCustomInterfaceNames"}) {
    EXPECT_TRUE(ConfigRow(gone).empty()) << gone;
  }
  EXPECT_EQ(ConfigRow("BeaconHosts"),
            (std::vector<std::string>{"#00", "1", "1"}));
  EXPECT_EQ(db_->Rows("SELECT condition_id,sequence_number,dci_id,num_polls "
                      "FROM cond_dci_map ORDER BY condition_id,"
                      "sequence_number"),
            (std::vector<std::vector<std::string>>{{"5", "0", "100", "1"},
                                                   {"5", "1", "101", "2"},
                                                   {"7", "0", "100", "3"}}));
  EXPECT_EQ(
      db_->Rows("SELECT item_id,schedule_id,schedule FROM dci_schedules "
                "ORDER BY schedule_id"),
      (std::vector<std::vector<std::string>>{{"100", "1", "*/5 * * * *"},
                                             {"100", "2", "0 3 * * *"},
                                             {"101", "3", "#2A/10 * * * *"}}));
  EXPECT_EQ(db_->Rows("SELECT list_type,community_id,addr_type,addr1,addr2 "
                      "FROM address_lists ORDER BY list_type"),
            (std::vector<std::vector<std::string>>{
                {"1", "0", "0", "10.0.0.0", "255.0.0.0"},
                {"2", "0", "1", "192.168.0.1", "192.168.0.9"}}));
  EXPECT_EQ(db_->Rows("SELECT timeout,timeout_event FROM alarms ORDER BY "
                      "alarm_id"),
            (std::vector<std::vector<std::string>>{
                {"0", "43"}, {"0", "43"}, {"0", "43"}}));
  EXPECT_EQ(db_->Scalar("SELECT port1 FROM submap_links"), "#00");
  EXPECT_EQ(db_->Scalar("SELECT repeat_interval FROM thresholds"), "-1");
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM event_cfg WHERE event_code IN "
                        "(48,49,50,51)"),
            "4");
  if (syntax() == SYNTAX_MYSQL) {
    // The NULL became the empty value before the column became not null.
    EXPECT_EQ(db_->Scalar("SELECT cert_mapping_data FROM users WHERE id=1"),
              "#00");
    EXPECT_EQ(db_->Scalar("SELECT is_nullable FROM information_schema.columns "
                          "WHERE table_schema=DATABASE() AND "
                          "table_name='users' AND "
                          "column_name='cert_mapping_data'"),
              "NO");
  }
  if (syntax() != SYNTAX_SQLITE) {
    EXPECT_EQ(db_->Scalar("SELECT character_maximum_length FROM "
                          "information_schema.columns WHERE table_name='nodes' "
                          "AND column_name='community'" +
                          std::string(syntax() == SYNTAX_MYSQL
                                          ? " AND table_schema=DATABASE()"
                                          : "")),
              "127");
  }
  // And the conversions of the later steps on the baseline's escapes.
  EXPECT_EQ(db_->Scalar("SELECT event_message FROM event_log WHERE "
                        "event_id=5000000000"),
            "100% load\r\non \\dev\\sda");
  EXPECT_EQ(db_->Scalar("SELECT comments FROM object_properties WHERE "
                        "object_id=10"),
            "Rack 4\r\nshelf # 2, it's \"hot\"");

  for (const char* command : {"check", "reindex"}) {
    RunResult c = Run({"-f", command});
    EXPECT_EQ(c.out.find("SQL query failed"), std::string::npos)
        << command << "\n"
        << c.out;
    EXPECT_EQ(c.out.find("ERROR"), std::string::npos) << command << "\n"
                                                      << c.out;
  }
}

TEST_P(UpgradeChainTest, KilledRunsLeaveACommittedVersionAndTheNextRunEnds) {
  LoadBaseline63();
  std::mt19937 random(12345);
  int previous = 63;
  int interrupted = 0;
  std::string versions;
  // Each kill comes after a random number of the remaining steps have
  // begun and a random time more, so that kills meet every kind of step.
  for (int kill = 0; kill < 60 && interrupted < 10; kill++) {
    if (previous == 98) {
      // The upgrade ended before ten kills met it: start over on a fresh
      // database.
      db_ = GetParam().create(dir_);
      ASSERT_NE(db_->conn(), nullptr);
      config_path_ = WriteFile("server.conf", db_->ConfigText());
      LoadBaseline63();
      previous = 63;
      versions += " |";
    }
    std::uniform_int_distribution<int> steps(1,
                                             std::max(1, (98 - previous) / 3));
    std::uniform_int_distribution<int> delay(0, 20000);
    RunAndKill(steps(random), std::chrono::microseconds(delay(random)));
    int version = StoredVersion();
    SCOPED_TRACE("kill " + std::to_string(kill) + " at version " +
                 std::to_string(version));
    ASSERT_GE(version, previous);
    versions += " " + std::to_string(version);
    if (version < 98) interrupted++;
    ASSERT_LE(version, 98);
    ExpectSchemaOfVersion(version, syntax() == SYNTAX_MYSQL);
    previous = version;
  }
  printf("versions after the kills:%s\n", versions.c_str());
  RunResult r = Run({"upgrade"});
  EXPECT_EQ(r.out.find("SQL query failed"), std::string::npos) << r.out;
  EXPECT_TRUE(r.out.find("Database upgrade succeeded\n") != std::string::npos ||
              r.out.find("Your database format is up to date\n") !=
                  std::string::npos)
      << r.out;
  EXPECT_EQ(StoredVersion(), 98);
  ExpectSchemaOfVersion(98);
  // The kills must have met the upgrade at work, not only after its end.
  EXPECT_GE(interrupted, 10) << versions;
}

INSTANTIATE_BACKEND_SUITE(UpgradeChainTest);

}  // namespace
