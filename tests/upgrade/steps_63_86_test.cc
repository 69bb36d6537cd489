// Steps 63 to 86 one by one on small databases: the retention times, the
// column change of 64 to 65 per database, the rebuilt tables when their
// rows cannot be read, the drops of 85 to 86, what a failed step leaves on
// each database and its rerun, and the table options of -I and -M.

#include <gtest/gtest.h>

#include "front/globals.h"
#include "support/process.h"
#include "upgrade/steps.h"
#include "upgrade/upgrade_fixture.h"

namespace {

class Steps63To86Test : public UpgradeTest {};

TEST_P(Steps63To86Test, RetentionTimesBecomeDays) {
  const struct {
    const char* stored;  // null: no row
    const char* days;
  } cases[] = {
      {"5184000", "60"}, {"172800", "2"}, {"172799", "1"},  {"0", "1"},
      {"-86400", "1"},   {nullptr, "60"}, {"0x15180", "1"},
  };
  CreateServerTables(69);
  ConnectInProcess();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "absent");
    // On the step's own connection, which has seen the tables before.
    DBQuery(g_hDbConnection, "DROP TABLE snmp_trap_cfg");
    DBQuery(g_hDbConnection, "DROP TABLE event_log");
    ASSERT_TRUE(DBQuery(g_hDbConnection,
                        "CREATE TABLE snmp_trap_cfg (trap_id integer)"));
    ASSERT_TRUE(
        DBQuery(g_hDbConnection, "CREATE TABLE event_log (event_id integer)"));
    db_->Exec("DELETE FROM config WHERE var_name LIKE '%RetentionTime'");
    if (c.stored != nullptr) SetConfig("EventLogRetentionTime", c.stored);
    SetConfig("DBFormatVersion", "69");
    std::string out;
    ASSERT_EQ(RunStep(Migrate69To70, &out), 1) << out;
    // An existing row keeps its flags (SetConfig leaves the defaults 1, 0).
    EXPECT_EQ(ConfigRow("EventLogRetentionTime"),
              (std::vector<std::string>{c.days, "1", "0"}));
    EXPECT_EQ(ConfigRow("SyslogRetentionTime")[0], "60");
    EXPECT_EQ(StoredVersion(), 70);
  }
}

TEST_P(Steps63To86Test, CommunityIsWidenedWhereTheDatabaseNeedsIt) {
  CreateServerTables(64);
  db_->Exec(
      "CREATE TABLE nodes (id integer not null,community varchar(32) not "
      "null,PRIMARY KEY(id));\n"
      "INSERT INTO nodes (id,community) VALUES (1,'public')");
  ConnectInProcess();
  std::string out;
  ASSERT_EQ(RunStep(Migrate64To65, &out), 1) << out;
  EXPECT_EQ(StoredVersion(), 65);
  if (syntax() == SYNTAX_SQLITE) {
    EXPECT_EQ(out,
              "WARNING: Due to limitations of SQLite requested operation "
              "cannot be completed\nYou system will still be limited to use "
              "SNMP commonity strings not longer than 32 characters.\n");
    // SQLite keeps texts longer than a varchar's length anyway.
    db_->Exec("UPDATE nodes SET community='" + std::string(100, 'c') + "'");
  } else {
    EXPECT_EQ(out, "");
    EXPECT_EQ(
        db_->Scalar("SELECT character_maximum_length FROM "
                    "information_schema.columns WHERE table_name='nodes' AND "
                    "column_name='community'" +
                    std::string(syntax() == SYNTAX_MYSQL
                                    ? " AND table_schema=DATABASE()"
                                    : "")),
        "127");
  }
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM nodes"), "1");
}

TEST_P(Steps63To86Test, UnreadableRowsKeepTheirTable) {
  // cond_dci_map without num_polls, address_lists without community_id:
  // their selects fail. Without -X the steps fail before anything is
  // dropped; with -X the tables stay as they were and the steps go on.
  CreateServerTables(76);
  db_->Exec(
      "CREATE TABLE cond_dci_map (condition_id integer,dci_id integer,"
      "node_id integer,dci_func integer);\n"
      "INSERT INTO cond_dci_map (condition_id,dci_id,node_id,dci_func) VALUES "
      "(5,1,2,3);\n"
      "CREATE TABLE dci_schedules (item_id integer,schedule varchar(255));\n"
      "CREATE TABLE address_lists (list_type integer,addr_type integer,addr1 "
      "varchar(15),addr2 varchar(15));\n"
      "INSERT INTO address_lists (list_type,addr_type,addr1,addr2) VALUES "
      "(1,0,'10.0.0.0','255.0.0.0')");
  ConnectInProcess();
  EXPECT_EQ(RunStep(Migrate76To77), 0);
  EXPECT_EQ(RunStep(Migrate80To81), 0);
  EXPECT_EQ(StoredVersion(), 76);
  g_bContinueOnError = 1;
  EXPECT_EQ(RunStep(Migrate76To77), 1);
  EXPECT_EQ(StoredVersion(), 77);
  EXPECT_EQ(db_->Rows("SELECT condition_id,dci_id FROM cond_dci_map"),
            (std::vector<std::vector<std::string>>{{"5", "1"}}));
  EXPECT_EQ(RunStep(Migrate80To81), 1);
  EXPECT_EQ(StoredVersion(), 81);
  // The empty dci_schedules was rebuilt; address_lists kept.
  EXPECT_TRUE(HasColumn("dci_schedules", "schedule_id"));
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM dci_schedules"), "0");
  EXPECT_EQ(
      Columns("address_lists"),
      (std::vector<std::string>{"list_type", "addr_type", "addr1", "addr2"}));
  EXPECT_TRUE(db_->TableExists("object_custom_attributes"));
  EXPECT_TRUE(db_->TableExists("web_maps"));
}

TEST_P(Steps63To86Test, LongTextColumnsChangeOnMysqlOnly) {
  if (syntax() == SYNTAX_MYSQL) GTEST_SKIP() << "the upgrade of the baseline";
  CreateServerTables(78);
  SetConfig("RetainCustomInterfaceNames", "1");
  db_->Exec("CREATE TABLE modules (module_id integer)");
  ConnectInProcess();
  g_bShowQueries = 1;
  std::string out;
  ASSERT_EQ(RunStep(Migrate78To79, &out), 1) << out;
  EXPECT_EQ(
      out,
      ">>> DELETE FROM config WHERE var_name='RetainCustomInterfaceNames'\n"
      ">>> DROP TABLE modules\n"
      ">>> UPDATE config SET var_value='79' WHERE "
      "var_name='DBFormatVersion'\n");
  EXPECT_FALSE(db_->TableExists("modules"));
  EXPECT_TRUE(ConfigRow("RetainCustomInterfaceNames").empty());
}

// On MySQL each of the 27 long-text columns becomes "text not null", in
// this order, its NULLs becoming the empty value and its texts kept.
TEST_P(Steps63To86Test, LongTextColumnsBecomeNotNullOnMysql) {
  if (syntax() != SYNTAX_MYSQL) GTEST_SKIP() << "LongTextColumnsChange...";
  const std::vector<std::pair<std::string, std::string>> columns = {
      {"users", "cert_mapping_data"},
      {"user_profiles", "var_value"},
      {"object_properties", "comments"},
      {"network_services", "check_request"},
      {"network_services", "check_responce"},
      {"conditions", "script"},
      {"container_categories", "description"},
      {"items", "transformation"},
      {"event_cfg", "description"},
      {"actions", "action_data"},
      {"event_policy", "comments"},
      {"event_policy", "script"},
      {"alarm_change_log", "info_text"},
      {"alarm_notes", "note_text"},
      {"object_tools", "tool_data"},
      {"syslog", "msg_text"},
      {"script_library", "script_code"},
      {"snmp_trap_log", "trap_varlist"},
      {"maps", "description"},
      {"agent_configs", "config_file"},
      {"agent_configs", "config_filter"},
      {"graphs", "config"},
      {"certificates", "cert_data"},
      {"certificates", "subject"},
      {"certificates", "comments"},
      {"audit_log", "message"},
      {"situations", "comments"},
  };
  CreateServerTables(78);
  db_->Exec("CREATE TABLE modules (module_id integer)");
  // Each table with its columns nullable, as the steps added them: row 1
  // holds NULLs, row 2 texts.
  std::vector<std::string> tables;
  for (const auto& c : columns) {
    if (tables.empty() || tables.back() != c.first) tables.push_back(c.first);
  }
  for (const std::string& table : tables) {
    std::string create = "CREATE TABLE " + table + " (id integer";
    std::string names;
    std::string texts;
    for (const auto& c : columns) {
      if (c.first != table) continue;
      create += "," + c.second + " text";
      names += "," + c.second;
      texts += ",'" + c.second + " kept'";
    }
    db_->Exec(create + ")");
    db_->Exec("INSERT INTO " + table + " (id) VALUES (1)");
    db_->Exec("INSERT INTO " + table + " (id" + names + ") VALUES (2" + texts +
              ")");
  }
  ConnectInProcess();
  g_bShowQueries = 1;
  std::string out;
  ASSERT_EQ(RunStep(Migrate78To79, &out), 1) << out;
  EXPECT_EQ(StoredVersion(), 79);
  std::vector<std::string> modified;
  for (size_t at = out.find(">>> ALTER TABLE "); at != std::string::npos;
       at = out.find(">>> ALTER TABLE ", at + 1)) {
    modified.push_back(out.substr(at + 4, out.find('\n', at) - at - 4));
  }
  std::vector<std::string> expected;
  for (const auto& c : columns) {
    expected.push_back("ALTER TABLE " + c.first + " MODIFY COLUMN " + c.second +
                       " text not null");
  }
  EXPECT_EQ(modified, expected);
  for (const auto& c : columns) {
    SCOPED_TRACE(c.first + "." + c.second);
    EXPECT_EQ(db_->Rows("SELECT data_type,is_nullable FROM "
                        "information_schema.columns WHERE "
                        "table_schema=DATABASE() AND table_name='" +
                        c.first + "' AND column_name='" + c.second + "'"),
              (std::vector<std::vector<std::string>>{{"text", "NO"}}));
    EXPECT_EQ(db_->Rows("SELECT " + c.second + " FROM " + c.first +
                        " ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"#00"},
                                                     {c.second + " kept"}}));
  }
}

TEST_P(Steps63To86Test, DropsOfTheOldTables) {
  const char* tables[] = {"alarm_grops", "alarm_group_map",  "alarm_change_log",
                          "lpp",         "lpp_associations", "lpp_rulesets",
                          "lpp_rules",   "lpp_groups"};
  CreateServerTables(85);
  for (const char* t : tables) {
    if (std::string(t) != "lpp") {
      db_->Exec(std::string("CREATE TABLE ") + t + " (id integer)");
    }
  }
  ConnectInProcess();
  std::string out;
  if (syntax() == SYNTAX_MYSQL) {
    // A table to drop that is not there is already dropped: each DROP
    // commits on its own there, so a rerun of the step meets the tables its
    // interrupted run dropped.
    EXPECT_EQ(RunStep(Migrate85To86, &out), 1) << out;
  } else {
    EXPECT_EQ(RunStep(Migrate85To86, &out), 0);
    EXPECT_NE(out.find("\nDROP TABLE lpp\n"), std::string::npos) << out;
    EXPECT_TRUE(db_->TableExists("alarm_grops"));
    EXPECT_EQ(StoredVersion(), 85);
    g_bContinueOnError = 1;
    EXPECT_EQ(RunStep(Migrate85To86, &out), 1);
  }
  for (const char* t : tables) EXPECT_FALSE(db_->TableExists(t)) << t;
  EXPECT_EQ(StoredVersion(), 86);
}

TEST_P(Steps63To86Test, AFailedStepIsRolledBackOrCompletedByItsRerun) {
  // Step 70 to 71 adds required_polls to nodes, interfaces and
  // network_services; the last is missing, so the step fails after its
  // first two columns.
  CreateServerTables(70);
  db_->Exec(
      "CREATE TABLE nodes (id integer);\nCREATE TABLE interfaces (id "
      "integer);\nINSERT INTO nodes (id) VALUES (1)");
  RunResult r = Run({"upgrade"});
  EXPECT_NE(r.out.find("Upgrading from version 70 to 71\nSQL query failed"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("ALTER TABLE network_services ADD "), std::string::npos);
  EXPECT_NE(r.out.find("Rolling back last stage due to upgrade errors...\n"
                       "Database upgrade failed\n"),
            std::string::npos);
  EXPECT_EQ(StoredVersion(), 70);
  // MariaDB committed each ALTER TABLE as it ran, and with it the UPDATE
  // before it; the rollback undid only the UPDATE of interfaces. Everywhere
  // else the step left nothing.
  bool ddl_commits = syntax() == SYNTAX_MYSQL;
  EXPECT_EQ(HasColumn("nodes", "required_polls"), ddl_commits);
  EXPECT_EQ(HasColumn("interfaces", "required_polls"), ddl_commits);
  if (ddl_commits) {
    EXPECT_EQ(db_->Scalar("SELECT required_polls FROM nodes"), "0");
  }
  // With the missing table in place the rerun completes the step; on
  // MariaDB it skips the columns the failed run added.
  db_->Exec("CREATE TABLE network_services (id integer)");
  r = Run({"upgrade"});
  EXPECT_NE(r.out.find("Upgrading database...\nUpgrading from version 70 to "
                       "71\nUpgrading from version 71 to 72\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(StoredVersion(), 71);
  EXPECT_EQ(db_->Scalar("SELECT required_polls FROM nodes"), "0");
  EXPECT_EQ(ConfigRow("PollCountForStatusChange")[0], "1");
}

TEST_P(Steps63To86Test, TraceAndTableOptions) {
  const struct {
    const char* option;
    const char* engine;
  } cases[] = {{"-I", "InnoDB"}, {"-M", "MyISAM"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    db_->TryExec("DROP TABLE config");
    db_->TryExec("DROP TABLE config_clob");
    CreateServerTables(81);
    RunResult r = Run({"-t", c.option, "upgrade"});
    // Step 81 to 82 creates config_clob; 82 to 83 fails (no alarms).
    std::string create =
        syntax() == SYNTAX_MYSQL
            ? std::string(
                  "CREATE TABLE config_clob (var_name "
                  "varchar(63) not null,var_value text not "
                  "null,PRIMARY KEY(var_name)) ENGINE=") +
                  c.engine
            : "CREATE TABLE config_clob (var_name varchar(63) not "
              "null,var_value varchar not null,PRIMARY KEY(var_name))";
    EXPECT_NE(r.out.find("Upgrading from version 81 to 82\n>>> " + create +
                         "\n>>> UPDATE config SET var_value='82' WHERE "
                         "var_name='DBFormatVersion'\nUpgrading from version "
                         "82 to 83\n>>> UPDATE alarms SET "
                         "timeout=0,timeout_event=43\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(StoredVersion(), 82);
    if (syntax() == SYNTAX_MYSQL) {
      EXPECT_EQ(db_->Scalar("SELECT engine FROM information_schema.tables "
                            "WHERE table_schema=DATABASE() AND "
                            "table_name='config_clob'"),
                c.engine);
    }
  }
}

INSTANTIATE_BACKEND_SUITE(Steps63To86Test);

}  // namespace
