// Upgrade steps 14 to 27 from the version-14 baseline, in process: every
// step in a transaction of its own, as the upgrade driver runs them. Covers
// the conversions (node flags, event policy, object properties with the
// root objects), the per-node index questions and their failure on a
// missing table, and the renumbered index commands.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "db/driver/driver.h"
#include "db/driver/syntax.h"
#include "front/globals.h"
#include "support/backend_test.h"
#include "support/catalog.h"
#include "upgrade/baseline14.h"
#include "upgrade/step_resume.h"
#include "upgrade/step_table.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Feeds a file of answer keys to the questions of the steps for as long as
// the object lives.
class AnswerKeys {
 public:
  AnswerKeys(const std::string& path, const std::string& keys) {
    FILE* file = fopen(path.c_str(), "wb");
    fputs(keys.c_str(), file);
    fclose(file);
    saved_ = dup(STDIN_FILENO);
    int fd = open(path.c_str(), O_RDONLY);
    dup2(fd, STDIN_FILENO);
    close(fd);
  }
  ~AnswerKeys() {
    dup2(saved_, STDIN_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

class Steps14To27Test : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    if (Baseline14Path(syntax()).empty()) {
      GTEST_SKIP() << "no version-14 baseline for this database";
    }
    LoadBaseline14(db_.get(), syntax());
    if (HasFatalFailure()) return;
    ConnectInProcess();
  }

  // Runs the steps from version `from` up to `to` the way the driver does:
  // each in its own transaction, committed when it succeeds. Stops at the
  // first failing step, after rolling it back. The console output goes to
  // output_. Returns whether every step succeeded.
  bool Upgrade(int from, int to, const std::string& keys = "") {
    std::unique_ptr<AnswerKeys> answers;
    if (!keys.empty()) {
      answers.reset(new AnswerKeys(dir_ + "/keys", keys));
    }
    testing::internal::CaptureStdout();
    bool ok = true;
    for (int version = from; version < to && ok; version++) {
      const UpgradeStep* step =
          &g_upgradeSteps[version - UPGRADE_FIRST_VERSION];
      EXPECT_EQ(step->fromVersion, version);
      DBBegin(g_hDbConnection);
      ok = RunResumableStep(*step) != 0;
      if (ok) {
        DBCommit(g_hDbConnection);
      } else {
        DBRollback(g_hDbConnection);
      }
    }
    fflush(stdout);
    output_ += testing::internal::GetCapturedStdout();
    return ok;
  }

  std::string Version() {
    return db_->Scalar(
        "SELECT var_value FROM config WHERE var_name='DBFormatVersion'");
  }

  std::string Config(const std::string& name) {
    return db_->Scalar("SELECT var_value FROM config WHERE var_name='" + name +
                       "'");
  }

  bool HasColumn(const std::string& table, const std::string& column) {
    return db_->TryExec("SELECT " + column + " FROM " + table + " WHERE 1=0");
  }

  Rows IndexColumns(const std::string& table, const std::string& index) {
    return ::IndexColumns(db_.get(), syntax(), table, index);
  }

  std::string output_;
};

// The live nodes of the baseline, which have per-node data tables; node 13
// is deleted and has one, node 16 is deleted and has none.
const int kLiveNodes[] = {10, 11, 12, 14, 15};

TEST_P(Steps14To27Test, BaselineUpgradesTo27) {
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 27)) << output_;
  EXPECT_EQ(Version(), "27");
  EXPECT_EQ(output_.find("SQL query failed"), std::string::npos) << output_;

  // Node flags folded into the mask; agent versions from the agent flag.
  EXPECT_EQ(db_->Rows("SELECT id,node_flags,agent_version,platform_name,"
                      "poller_node_id FROM nodes ORDER BY id"),
            (Rows{{"10", "3", "<unknown>", "", "0"},
                  {"11", "31", "<unknown>", "", "0"},
                  {"12", "4", "", "", "0"},
                  {"13", "8", "", "", "0"},
                  {"14", "16", "", "", "0"},
                  {"15", "0", "", "", "0"},
                  {"16", "2", "<unknown>", "", "0"}}));
  for (const char* column : {"name", "status", "is_deleted", "image_id",
                             "is_snmp", "is_ospf", "inherit_access_rights"}) {
    EXPECT_FALSE(HasColumn("nodes", column)) << column;
  }

  // Event policy re-keyed by code; groups and the log start empty; alarms
  // keep the old number as their code.
  EXPECT_EQ(db_->Rows("SELECT rule_id,event_code FROM policy_event_list "
                      "ORDER BY rule_id,event_code"),
            (Rows{{"1", "17"}, {"1", "4000"}, {"2", "18"}}));
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM event_group_members"), "0");
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM event_log"), "0");
  EXPECT_EQ(db_->Rows("SELECT alarm_id,source_event_code,source_event_id "
                      "FROM alarms ORDER BY alarm_id"),
            (Rows{{"1", "17", "0"}, {"2", "4000", "0"}}));
  EXPECT_EQ(db_->Rows("SELECT trap_id,event_code FROM snmp_trap_cfg ORDER BY "
                      "trap_id"),
            (Rows{{"1", "501"},
                  {"2", "502"},
                  {"3", "503"},
                  {"4", "504"},
                  {"5", "505"},
                  {"6", "506"}}));

  // The threshold events carry the description of step 14 to 15.
  const std::string reached =
      "Generated when threshold value reached for specific data collection "
      "item.#0D#0A   1) Parameter name#0D#0A   2) Item description#0D#0A   3) "
      "Threshold value#0D#0A   4) Actual value#0D#0A   5) Data collection "
      "item ID#0D#0A   6) Instance";
  for (const char* code : {"17", "4000", "4003", "4004"}) {
    EXPECT_EQ(db_->Scalar(std::string("SELECT description FROM event_cfg "
                                      "WHERE event_code=") +
                          code),
              reached)
        << code;
  }
  EXPECT_EQ(db_->Rows("SELECT event_code FROM event_cfg ORDER BY event_code"),
            (Rows{{"1"},    {"17"},   {"18"},   {"25"},   {"26"},   {"27"},
                  {"28"},   {"29"},   {"30"},   {"31"},   {"32"},   {"500"},
                  {"501"},  {"502"},  {"503"},  {"504"},  {"505"},  {"506"},
                  {"4000"}, {"4003"}, {"4004"}, {"4005"}, {"4006"}, {"4007"},
                  {"4008"}, {"4009"}, {"4010"}, {"4011"}}));

  // Every item has its raw value.
  EXPECT_EQ(db_->Rows("SELECT item_id,raw_value,last_poll_time FROM "
                      "raw_dci_values ORDER BY item_id"),
            (Rows{{"100", "#00", "1"},
                  {"101", "#00", "1"},
                  {"102", "#00", "1"},
                  {"103", "#00", "1"},
                  {"104", "#00", "1"}}));
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM items WHERE instance='' AND "
                        "template_item_id=0"),
            "5");

  // Server variables: the lock mark, the mail defaults, the renumbered
  // index commands (each escaped once), the root variables gone.
  EXPECT_EQ(Config("DBLockStatus"), "UNLOCKED");
  EXPECT_EQ(Config("SMTPServer"), "localhost");
  EXPECT_EQ(Config("SMTPFromAddr"), "postmaster@localhost");
  EXPECT_EQ(Config("IDataIndexCreationCommand"), "<none>");
  EXPECT_EQ(Config("IDataIndexCreationCommand_0"),
            "CREATE INDEX idx_idata_#25d_item_id ON idata_#25d(item_id)");
  EXPECT_EQ(Config("IDataIndexCreationCommand_1"),
            "CREATE INDEX idx_idata_#25d_timestamp ON "
            "idata_#25d(idata_timestamp)");
  for (const char* name : {"TopologyRootObjectName", "TopologyRootImageId",
                           "ServiceRootObjectName", "ServiceRootImageId"}) {
    EXPECT_EQ(Config(name), "<none>") << name;
  }
  EXPECT_FALSE(db_->TableExists("access_options"));
  EXPECT_FALSE(db_->TableExists("events"));
  EXPECT_FALSE(db_->TableExists("locks"));

  // Indexes, each with a name of its own table; the per-node ones only on
  // the tables of live nodes.
  EXPECT_EQ(IndexColumns("thresholds", "idx_thresholds_item_id"),
            (Rows{{"item_id"}}));
  EXPECT_EQ(IndexColumns("thresholds", "idx_thresholds_sequence"),
            (Rows{{"sequence_number"}}));
  EXPECT_EQ(IndexColumns("raw_dci_values", "idx_raw_dci_values_item_id"),
            (Rows{{"item_id"}}));
  for (int node : kLiveNodes) {
    std::string table = "idata_" + std::to_string(node);
    EXPECT_EQ(IndexColumns(table, "idx_" + table + "_item_id"),
              (Rows{{"item_id"}}))
        << table;
    EXPECT_EQ(IndexColumns(table, "idx_" + table + "_timestamp"),
              (Rows{{"idata_timestamp"}}))
        << table;
    EXPECT_NE(output_.find("Creating indexes for table \"" + table + "\"..."),
              std::string::npos)
        << table;
  }
  EXPECT_TRUE(IndexColumns("idata_13", "idx_idata_13_item_id").empty());
  EXPECT_EQ(output_.find("idata_13"), std::string::npos);
}

TEST_P(Steps14To27Test, ObjectPropertiesKeepEveryObject) {
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 27)) << output_;
  // Root objects from their variables (object 3 by default, without an
  // access_options row); every per-class object, with or without an
  // access_options row (those without inherit); templates get status 5.
  EXPECT_EQ(db_->Rows("SELECT object_id,name,status,is_deleted,image_id,"
                      "inherit_access_rights FROM object_properties ORDER BY "
                      "object_id"),
            (Rows{{"1", "Entire Network", "5", "0", "1", "0"},
                  {"2", "Operator#27s Services", "5", "0", "2", "1"},
                  {"3", "Templates", "5", "0", "0", "1"},
                  {"10", "Operator#27s gateway", "0", "0", "0", "1"},
                  {"11", "server-1", "0", "0", "0", "0"},
                  {"12", "switch-1", "1", "0", "0", "1"},
                  {"13", "old-router", "0", "1", "0", "1"},
                  {"14", "mgmt-station", "0", "0", "0", "1"},
                  {"15", "printer #2331", "2", "0", "0", "1"},
                  {"16", "retired-host", "0", "1", "0", "1"},
                  {"20", "eth0", "0", "0", "0", "1"},
                  {"21", "eth0", "0", "0", "0", "1"},
                  {"22", "Serial0/0", "0", "1", "0", "1"},
                  {"23", "eth1", "1", "0", "0", "1"},
                  {"30", "10.0.0.0", "0", "0", "0", "1"},
                  {"31", "10.1.0.0", "0", "0", "0", "1"},
                  {"40", "Unix servers", "5", "0", "0", "0"},
                  {"41", "Routers#2C switches", "5", "0", "0", "1"},
                  {"50", "Servers", "0", "0", "0", "1"},
                  {"51", "Lab", "0", "0", "0", "1"}}));
  EXPECT_EQ(output_.find("WARNING"), std::string::npos) << output_;
}

TEST_P(Steps14To27Test, ObjectPropertiesEdgeCases) {
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 26)) << output_;
  // A network service, an access row for an invalid built-in id and one for
  // an object no table holds, an interface that repeats a node's id, and a
  // root name whose escapes do not fit the name column whole.
  db_->Exec(
      "INSERT INTO network_services (id,name,status,is_deleted,node_id,"
      "service_type,ip_bind_addr,ip_proto,ip_port,check_request,"
      "check_responce,poller_node_id,image_id) VALUES (60,'HTTP',0,0,10,1,"
      "'0.0.0.0',6,80,'#00','#00',0,7);\n"
      "INSERT INTO access_options (object_id,inherit_rights) VALUES (60,0);\n"
      "INSERT INTO access_options (object_id,inherit_rights) VALUES (7,1);\n"
      "INSERT INTO access_options (object_id,inherit_rights) VALUES (99,1);\n"
      "INSERT INTO access_options (object_id,inherit_rights) VALUES (3,0);\n"
      "INSERT INTO interfaces (id,name,status,is_deleted,node_id,ip_addr,"
      "ip_netmask,mac_addr,if_type,if_index,image_id) VALUES (10,'dup',3,0,"
      "10,'10.0.0.1','255.255.255.0','',6,9,0);\n"
      "UPDATE config SET var_value='" +
      std::string(60, 'a') +
      "#25#25' WHERE var_name='TopologyRootObjectName';\n"
      "UPDATE config SET var_value='" +
      std::string(62, 'b') +
      "\xC3\xA9' WHERE var_name='ServiceRootObjectName'");
  if (syntax() == SYNTAX_SQLITE) {
    // SQLite keeps a name longer than its column.
    db_->Exec("UPDATE containers SET name='" + std::string(61, 'c') +
              "#27cc' WHERE id=51");
  }
  ASSERT_TRUE(Upgrade(26, 27)) << output_;
  EXPECT_NE(output_.find("WARNING: Invalid built-in object ID 7\n"),
            std::string::npos)
      << output_;
  EXPECT_NE(output_.find("WARNING: object with ID 99 presented in access "
                         "control tables but cannot be found in data "
                         "tables\n"),
            std::string::npos)
      << output_;
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM object_properties WHERE "
                        "object_id IN (7,99)"),
            "0");
  EXPECT_EQ(db_->Rows("SELECT name,status,image_id,inherit_access_rights FROM "
                      "object_properties WHERE object_id IN (3,10,60) ORDER BY "
                      "object_id"),
            (Rows{{"Templates", "5", "0", "0"},
                  {"Operator#27s gateway", "0", "0", "1"},
                  {"HTTP", "0", "7", "0"}}));
  // 60 letters and one "#25" fit into 63 characters; the second escape goes.
  EXPECT_EQ(db_->Scalar("SELECT name FROM object_properties WHERE object_id=1"),
            std::string(60, 'a') + "#25");
  // A cut never splits a character either.
  EXPECT_EQ(db_->Scalar("SELECT name FROM object_properties WHERE object_id=2"),
            std::string(62, 'b'));
  if (syntax() == SYNTAX_SQLITE) {
    EXPECT_EQ(
        db_->Scalar("SELECT name FROM object_properties WHERE object_id=51"),
        std::string(61, 'c'));
  }
  EXPECT_FALSE(HasColumn("network_services", "name"));
}

TEST_P(Steps14To27Test, NodeFlagsEachAloneAndTogether) {
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 20)) << output_;
  const struct {
    int node;
    const char*
        flags;  // is_snmp,is_agent,is_bridge,is_router,is_local_mgmt,is_ospf
    const char* mask;
  } kCases[] = {
      {10, "1,0,0,0,0,0", "1"},  {11, "0,1,0,0,0,0", "2"},
      {12, "0,0,2,0,0,0", "4"},  {13, "0,0,0,1,0,0", "8"},
      {14, "0,0,0,0,1,0", "16"}, {15, "0,0,0,0,0,1", "64"},
      {16, "1,1,1,1,1,1", "95"},
  };
  for (const auto& c : kCases) {
    std::string values = c.flags;
    std::vector<std::string> v;
    for (size_t start = 0;;) {
      size_t comma = values.find(',', start);
      v.push_back(values.substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    db_->Exec("UPDATE nodes SET is_snmp=" + v[0] + ",is_agent=" + v[1] +
              ",is_bridge=" + v[2] + ",is_router=" + v[3] +
              ",is_local_mgmt=" + v[4] + ",is_ospf=" + v[5] +
              " WHERE id=" + std::to_string(c.node));
  }
  ASSERT_TRUE(Upgrade(20, 21)) << output_;
  for (const auto& c : kCases) {
    EXPECT_EQ(db_->Scalar("SELECT node_flags FROM nodes WHERE id=" +
                          std::to_string(c.node)),
              c.mask)
        << c.node << " " << c.flags;
  }
}

TEST_P(Steps14To27Test, IndexQuestions) {
  const struct {
    const char* keys;
    int force;
    bool indexed;
    const char* answer;
  } kCases[] = {
      {"N", 0, false, "(Y/N) N\n"},
      {"xy", 0, true, "(Y/N) Y\n"},
      {"", 1, true, "(Y/N) Y\n"},
  };
  bool first_case = true;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.force ? "-f" : c.keys);
    if (!first_case) {
      // A fresh baseline for each answer.
      TearDown();
      SetUp();
      output_.clear();
    }
    first_case = false;
    g_bRepairWithoutAsking = c.force;
    // Both questions get the same answer: the keys are given twice.
    ASSERT_TRUE(Upgrade(14, 26, std::string(c.keys) + c.keys)) << output_;
    EXPECT_EQ(Version(), "26");
    std::string question =
        std::string("Create indexes on existing IDATA tables? ") + c.answer;
    size_t first = output_.find(question);
    ASSERT_NE(first, std::string::npos) << output_;
    EXPECT_NE(output_.find(question, first + 1), std::string::npos) << output_;
    EXPECT_EQ(output_.find("Creating indexes") != std::string::npos, c.indexed);
    EXPECT_EQ(IndexColumns("idata_10", "idx_idata_10_item_id").empty(),
              !c.indexed);
    EXPECT_EQ(IndexColumns("idata_15", "idx_idata_15_timestamp").empty(),
              !c.indexed);
  }
}

TEST_P(Steps14To27Test, MissingNodeTableFailsItsIndex) {
  db_->Exec("DROP TABLE idata_14");
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 20)) << output_;
  // Without -X the step fails and is rolled back.
  EXPECT_FALSE(Upgrade(20, 21)) << output_;
  EXPECT_NE(output_.find("Creating indexes for table \"idata_14\"...\n"
                         "SQL query failed"),
            std::string::npos)
      << output_;
  EXPECT_EQ(Version(), "20");
  // With -X the failure is reported and passed over, here and in the
  // timestamp index question.
  g_bContinueOnError = 1;
  output_.clear();
  ASSERT_TRUE(Upgrade(20, 25)) << output_;
  EXPECT_EQ(Version(), "25");
  size_t first = output_.find("SQL query failed");
  ASSERT_NE(first, std::string::npos) << output_;
  EXPECT_NE(output_.find("SQL query failed", first + 1), std::string::npos)
      << output_;
  EXPECT_EQ(IndexColumns("idata_15", "idx_idata_15_timestamp"),
            (Rows{{"idata_timestamp"}}));
}

TEST_P(Steps14To27Test, IndexCommandsWithoutTheOldVariable) {
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 25)) << output_;
  db_->Exec("DELETE FROM config WHERE var_name='IDataIndexCreationCommand'");
  ASSERT_TRUE(Upgrade(25, 26)) << output_;
  EXPECT_EQ(Config("IDataIndexCreationCommand_0"), "<none>");
  EXPECT_EQ(Config("IDataIndexCreationCommand_1"),
            "CREATE INDEX idx_idata_#25d_timestamp ON "
            "idata_#25d(idata_timestamp)");
}

TEST_P(Steps14To27Test, ExistingVariablesKeepTheirValues) {
  g_bRepairWithoutAsking = 1;
  ASSERT_TRUE(Upgrade(14, 16)) << output_;
  db_->Exec(
      "UPDATE config SET var_value='mail.example.com' WHERE "
      "var_name='SMTPServer'");
  ASSERT_TRUE(Upgrade(16, 21)) << output_;
  db_->Exec("UPDATE config SET var_value='sms.so' WHERE var_name='SMSDriver'");
  ASSERT_TRUE(Upgrade(21, 22)) << output_;
  EXPECT_EQ(Config("SMTPServer"), "mail.example.com");
  EXPECT_EQ(Config("SMSDriver"), "sms.so");
  EXPECT_EQ(Config("AgentUpgradeWaitTime"), "600");
}

INSTANTIATE_BACKEND_SUITE(Steps14To27Test);

}  // namespace
