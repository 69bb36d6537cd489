// Upgrade steps 41 to 63 run in-process on a version-41 database, one
// transaction per step as the driver runs them: the schema they leave, the
// rows they convert and insert (compared with the shipped version-98
// description), the server variables, the per-node index rebuild and the
// step guard with and without -X.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "db/driver/driver.h"
#include "db/driver/syntax.h"
#include "front/globals.h"
#include "support/backend_test.h"
#include "support/catalog.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_resume.h"
#include "upgrade/step_table.h"

extern const char* const g_apszIDataIndexFormats[SYNTAX_COUNT];

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Splits "a,b,c" at the commas.
std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) parts.push_back(part);
  return parts;
}

// Parses one reference row of the shipped description, "(1,'a b',-2)",
// into its values: numbers as written, texts without their quotes.
std::vector<std::string> ParseTuple(const std::string& line) {
  std::vector<std::string> values;
  std::string value;
  bool quoted = false;
  for (size_t i = 1; i < line.size(); i++) {
    char c = line[i];
    if (quoted) {
      if (c == '\'' && i + 1 < line.size() && line[i + 1] == '\'') {
        value += '\'';
        i++;
      } else if (c == '\'') {
        quoted = false;
      } else {
        value += c;
      }
    } else if (c == '\'') {
      quoted = true;
    } else if (c == ',' || c == ')') {
      values.push_back(value);
      value.clear();
      if (c == ')') break;
    } else if (c != ' ') {
      value += c;
    }
  }
  return values;
}

// The reference rows of one table in the shipped description, with its
// column list.
struct ShippedRows {
  std::vector<std::string> columns;
  Rows rows;
};

ShippedRows ReadShippedRows(const std::string& table) {
  std::ifstream in(std::string(SCHEMON_SOURCE_DIR) +
                   "/lib/sql/schema/schema.txt");
  ShippedRows shipped;
  std::string line;
  bool inside = false;
  const std::string head = "rows " + table + " (";
  while (std::getline(in, line)) {
    if (inside) {
      if (line.empty() || line[0] != '(') break;
      shipped.rows.push_back(ParseTuple(line));
    } else if (line.rfind(head, 0) == 0) {
      shipped.columns =
          SplitList(line.substr(head.size(), line.size() - head.size() - 1));
      inside = true;
    }
  }
  return shipped;
}

class Steps41To63Test : public BackendTest {
 protected:
  // Builds the version-41 fixture database and connects in-process.
  void LoadFixture() {
    CreateServerTables(41);
    std::string script = ReadFileText(std::string(SCHEMON_SOURCE_DIR) +
                                  "/tests/upgrade/fixture41/schema41.sql");
    const std::string marker = "$SQL:TEXT";
    for (size_t at; (at = script.find(marker)) != std::string::npos;) {
      script.replace(at, marker.size(), g_apszSqlTypes[syntax()][0]);
    }
    db_->Exec(script);
    // Values a site changed keep their values; the access control
    // variables go; the stored index command of the old index is replaced.
    SetConfig("RADIUSPort", "1812");
    SetConfig("MailEncoding", "utf-8");
    SetConfig("EnableAccessControl", "1");
    SetConfig("EnableEventAccessControl", "0");
    SetConfig("IDataIndexCreationCommand_1",
              "CREATE INDEX idx_idata_#25d_timestamp ON "
              "idata_#25d(idata_timestamp)");
    if (syntax() == SYNTAX_MYSQL) {
      // MySQL names indexes per table: old databases there carry the
      // timestamp index under the one name idx_timestamp.
      db_->Exec("CREATE INDEX idx_timestamp ON idata_11(idata_timestamp)");
    }
    ConnectInProcess();
  }

  // Runs the step from version `from` as the driver does: in a transaction
  // of its own, committed when it succeeds and rolled back when it fails.
  // Returns the step's result; the step's output is appended to *out.
  int RunStep(int from, std::string* out) {
    const UpgradeStep* step = g_upgradeSteps;
    while (step->procedure != nullptr && step->fromVersion != from) step++;
    EXPECT_NE(step->procedure, nullptr) << from;
    if (step->procedure == nullptr) return 0;
    testing::internal::CaptureStdout();
    DBBegin(g_hDbConnection);
    int result = RunResumableStep(*step);
    if (result != 0) {
      EXPECT_TRUE(DBCommit(g_hDbConnection)) << from;
    } else {
      DBRollback(g_hDbConnection);
    }
    fflush(stdout);
    *out += testing::internal::GetCapturedStdout();
    return result;
  }

  // Runs the steps from `from` up to `to`, expecting each to succeed.
  std::string RunSteps(int from, int to) {
    std::string out;
    for (int v = from; v < to; v++) {
      EXPECT_NE(RunStep(v, &out), 0) << "step " << v << "\n" << out;
    }
    return out;
  }

  std::string Version() {
    return db_->Scalar(
        "SELECT var_value FROM config WHERE var_name='DBFormatVersion'");
  }

  // Returns the column names of a table in their order, in lower case.
  std::vector<std::string> Columns(const std::string& table) {
    driver::BufferedResult result;
    std::string error;
    EXPECT_TRUE(db_->conn()->Select("SELECT * FROM " + table + " WHERE 1=0",
                                    &result, &error))
        << table << ": " << error;
    std::vector<std::string> columns;
    for (std::string name : result.columns) {
      std::transform(name.begin(), name.end(), name.begin(), ::tolower);
      columns.push_back(name);
    }
    return columns;
  }

  Rows IndexColumns(const std::string& table, const std::string& index) {
    return ::IndexColumns(db_.get(), syntax(), table, index);
  }

  // Expects the rows of table whose key_column is one of keys to equal the
  // shipped reference rows with those keys, in the shipped column list.
  void ExpectRowsAsShipped(const std::string& table,
                           const std::string& key_column,
                           const std::vector<int>& keys) {
    ShippedRows shipped = ReadShippedRows(table);
    ASSERT_FALSE(shipped.columns.empty()) << table;
    size_t key_index =
        std::find(shipped.columns.begin(), shipped.columns.end(), key_column) -
        shipped.columns.begin();
    ASSERT_LT(key_index, shipped.columns.size());
    Rows expected;
    for (const auto& row : shipped.rows) {
      if (std::find(keys.begin(), keys.end(), atoi(row[key_index].c_str())) !=
          keys.end()) {
        expected.push_back(row);
      }
    }
    std::string columns, list;
    for (const auto& c : shipped.columns)
      columns += (columns.empty() ? "" : ",") + c;
    for (int k : keys) list += (list.empty() ? "" : ",") + std::to_string(k);
    Rows actual = db_->Rows("SELECT " + columns + " FROM " + table + " WHERE " +
                            key_column + " IN (" + list + ")");
    EXPECT_FALSE(expected.empty()) << table;
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected) << table;
  }
};

TEST_P(Steps41To63Test, TakesTheVersion41DatabaseTo63) {
  LoadFixture();
  std::string out = RunSteps(41, 63);
  EXPECT_EQ(out.find("SQL query failed"), std::string::npos) << out;
  EXPECT_EQ(Version(), "63");

  // Tables made in this range, with exactly the columns of their DDL.
  const struct {
    const char* table;
    const char* columns;
  } kCreated[] = {
      {"conditions",
       "id,activation_event,deactivation_event,source_object,active_status,"
       "inactive_status,script"},
      {"cond_dci_map", "condition_id,dci_id,node_id,dci_func,num_polls"},
      {"agent_configs",
       "config_id,config_name,config_file,config_filter,sequence_number"},
      {"alarm_notes", "note_id,alarm_id,change_time,user_id,note_text"},
      {"alarm_change_log",
       "change_id,change_time,alarm_id,opcode,user_id,info_text"},
      {"alarm_grops", "alarm_group_id,group_name"},
      {"alarm_group_map", "alarm_group_id,alarm_id"},
      {"policy_time_range_list", "rule_id,time_range_id"},
      {"time_ranges",
       "time_range_id,wday_mask,mday_mask,month_mask,time_range"},
      {"address_lists", "list_type,addr_type,addr1,addr2"},
      {"clusters", "id,cluster_type"},
      {"cluster_members", "cluster_id,node_id"},
      {"cluster_sync_subnets", "cluster_id,subnet_addr,subnet_mask"},
      {"cluster_resources", "cluster_id,resource_id,resource_name,ip_addr"},
      {"graphs", "graph_id,owner_id,name,config"},
      {"graph_acl", "graph_id,user_id,user_rights"},
      {"certificates", "cert_id,cert_type,cert_data,subject,comments"},
      {"lpp_groups", "lpp_group_id,lpp_group_name,parent_group"},
      {"lpp", "lpp_id,lpp_group_id,lpp_name,lpp_version,lpp_flags"},
      {"lpp_associations", "lpp_id,node_id,log_file"},
      {"lpp_rulesets", "ruleset_id,ruleset_name"},
      {"lpp_rules",
       "lpp_id,rule_number,ruleset_id,msg_id_start,msg_id_end,severity,"
       "source_name,msg_text_regexp,event_code"},
      // Tables changed in this range: the fixture's columns with the
      // added ones in the order the steps add them, the dropped ones gone.
      {"alarms",
       "alarm_id,source_object_id,message,alarm_key,ack_by,alarm_state,"
       "hd_state,hd_ref,creation_time,last_change_time,original_severity,"
       "current_severity,repeat_count,term_by,timeout,timeout_event"},
      {"event_policy",
       "rule_id,alarm_severity,alarm_key,script,alarm_timeout,"
       "alarm_timeout_event"},
      {"nodes", "id,primary_ip,snmp_proxy"},
      {"containers", "id,category"},
      {"templates", "id,version"},
      {"zones", "id,zone_guid"},
      {"object_properties",
       "object_id,name,status,is_deleted,comments,is_system"},
      {"thresholds",
       "threshold_id,item_id,sequence_number,current_state,rearm_event_code"},
      {"items", "item_id,node_id,name,all_thresholds,resource_id"},
      {"event_groups", "id,name,range_start,range_end"},
      {"users", "id,name,cert_mapping_method,cert_mapping_data"},
      {"object_tools",
       "tool_id,tool_name,tool_type,tool_data,description,flags,matching_oid,"
       "confirmation_text"},
  };
  for (const auto& t : kCreated) {
    EXPECT_EQ(Columns(t.table), SplitList(t.columns)) << t.table;
  }
  EXPECT_EQ(IndexColumns("alarm_notes", "idx_alarm_notes_alarm_id"),
            (Rows{{"alarm_id"}}));
  EXPECT_EQ(IndexColumns("alarm_change_log", "idx_alarm_change_log_alarm_id"),
            (Rows{{"alarm_id"}}));
  EXPECT_EQ(IndexColumns("address_lists", "idx_address_lists_list_type"),
            (Rows{{"list_type"}}));

  // Converted rows: alarm states from the acknowledgement flag, history
  // columns from the old ones.
  EXPECT_EQ(db_->Rows("SELECT alarm_id,alarm_state,hd_state,hd_ref,"
                      "creation_time,last_change_time,original_severity,"
                      "current_severity,repeat_count,term_by,timeout,"
                      "timeout_event FROM alarms ORDER BY alarm_id"),
            (Rows{{"1", "0", "0", "#00", "1100000000", "1100000000", "4", "4",
                   "1", "0", "0", "43"},
                  {"2", "2", "0", "#00", "1100000100", "1100000100", "3", "3",
                   "1", "7", "0", "43"},
                  {"3", "2", "0", "#00", "1100000200", "1100000200", "2", "2",
                   "1", "9", "0", "43"}}));
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM alarm_notes"), "0");
  EXPECT_EQ(db_->Rows("SELECT rule_id,alarm_key,script,alarm_timeout,"
                      "alarm_timeout_event FROM event_policy ORDER BY rule_id"),
            (Rows{{"0", "NODE_DOWN_#25i", "#00", "0", "43"},
                  {"1", "LOAD_#25i", "#00", "0", "43"}}));
  // Every row of a table gets the value of a column added to it.
  const struct {
    const char* query;
    const char* expected;
  } kFilled[] = {
      {"SELECT count(*) FROM object_properties WHERE comments='#00' AND "
       "is_system=0",
       "5"},
      {"SELECT count(*) FROM thresholds WHERE current_state=0 AND "
       "rearm_event_code=18",
       "2"},
      {"SELECT count(*) FROM items WHERE all_thresholds=0 AND resource_id=0",
       "2"},
      {"SELECT count(*) FROM event_groups WHERE range_start=0 AND range_end=0",
       "1"},
      {"SELECT count(*) FROM users WHERE cert_mapping_method=0 AND "
       "cert_mapping_data='#00'",
       "2"},
      {"SELECT count(*) FROM nodes WHERE snmp_proxy=0", "4"},
      {"SELECT count(*) FROM object_tools WHERE tool_id=8000", "0"},
      {"SELECT count(*) FROM object_tools_table_columns WHERE tool_id=8000",
       "0"},
      {"SELECT count(*) FROM object_tools_acl WHERE tool_id=8000", "0"},
  };
  for (const auto& f : kFilled) {
    EXPECT_EQ(db_->Scalar(f.query), f.expected) << f.query;
  }

  // Reference rows as the shipped version-98 database has them.
  ExpectRowsAsShipped("event_cfg", "event_code",
                      {34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47});
  ExpectRowsAsShipped("object_tools", "tool_id",
                      {1, 2, 3, 4, 5, 12, 13, 14, 15, 16, 17, 18, 19});
  ExpectRowsAsShipped("object_tools_table_columns", "tool_id",
                      {5, 12, 13, 14, 15, 16, 17, 18, 19});
  ExpectRowsAsShipped("object_tools_acl", "tool_id",
                      {5, 12, 13, 14, 15, 16, 17, 18, 19});
  ExpectRowsAsShipped("oid_to_type", "pair_id",
                      {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
  EXPECT_EQ(db_->Rows("SELECT image_id,name,file_name_png,file_name_ico FROM "
                      "images WHERE image_id>14 ORDER BY image_id"),
            (Rows{{"15", "Obj.Condition", "condition.png", "condition.ico"},
                  {"16", "Obj.Cluster", "cluster.png", "cluster.ico"}}));
  EXPECT_EQ(db_->Rows("SELECT object_class,image_id FROM default_images "
                      "ORDER BY object_class"),
            (Rows{{"12", "14"}, {"13", "15"}, {"14", "16"}}));

  // Server variables: added with their flags, kept where the site had
  // them, removed where the steps drop them.
  const struct {
    const char* name;
    const char* value;  // plain text
    const char* visible;
    const char* restart;
  } kVariables[] = {
      {"NumberOfConditionPollers", "10", "1", "1"},
      {"ConditionPollingInterval", "60", "1", "1"},
      {"RADIUSPort", "1812", "1", "0"},
      {"DBLockPID", "0", "0", "0"},
      {"MailEncoding", "utf-8", "1", "0"},
      {"IDataIndexCreationCommand_1", g_apszIDataIndexFormats[syntax()], "0",
       "1"},
      {"ActiveNetworkDiscovery", "0", "1", "1"},
      {"ActiveDiscoveryInterval", "7200", "1", "1"},
      {"DiscoveryFilterFlags", "0", "1", "0"},
      {"WindowsConsoleUpgradeURL",
       "http://www.orvane.org/download/orvane-%version%.exe", "1", "0"},
      {"InternalCA", "0", "1", "1"},
      {"SNMPRequestTimeout", "2000", "1", "1"},
      {"TopologyExpirationTime", "900", "1", "0"},
      {"TopologyDiscoveryRadius", "3", "1", "0"},
  };
  for (const auto& v : kVariables) {
    // Variables the fixture set keep the default flags of its config table.
    Rows rows = db_->Rows(std::string("SELECT var_value,is_visible,"
                                      "need_server_restart FROM config WHERE "
                                      "var_name='") +
                          v.name + "'");
    ASSERT_EQ(rows.size(), 1u) << v.name;
    std::string value = rows[0][0];
    DecodeSQLString(&value[0]);
    value.resize(strlen(value.c_str()));
    EXPECT_EQ(value, v.value) << v.name;
    bool preset = strcmp(v.name, "RADIUSPort") == 0 ||
                  strcmp(v.name, "MailEncoding") == 0;
    if (!preset) {
      EXPECT_EQ(rows[0][1], v.visible) << v.name;
      EXPECT_EQ(rows[0][2], v.restart) << v.name;
    }
  }
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM config WHERE var_name IN "
                        "('EnableAccessControl','EnableEventAccessControl')"),
            "0");

  // The per-node tables: the old timestamp index replaced by the new one,
  // other indexes and the rows kept; the deleted node without its table is
  // listed and passed silently.
  EXPECT_NE(out.find("Reindexing database:\n   * idata_10\n   * idata_11\n"
                     "   * idata_12\n   * idata_13\n"),
            std::string::npos)
      << out;
  const char* new_index = syntax() == SYNTAX_MYSQL
                              ? "idx_idata_%d_id_timestamp"
                              : "idx_idata_%d_timestamp_id";
  Rows new_columns = syntax() == SYNTAX_MYSQL
                         ? Rows{{"item_id"}, {"idata_timestamp"}}
                         : Rows{{"idata_timestamp"}, {"item_id"}};
  for (int id : {10, 11, 13}) {
    std::string table = "idata_" + std::to_string(id);
    char name[64];
    snprintf(name, sizeof(name), new_index, id);
    EXPECT_EQ(IndexColumns(table, name), new_columns) << table;
    EXPECT_EQ(IndexColumns(table, "idx_" + table + "_timestamp"), Rows{})
        << table;
    EXPECT_EQ(IndexColumns(table, "idx_timestamp"), Rows{}) << table;
  }
  EXPECT_EQ(IndexColumns("idata_10", "idx_idata_10_item_id"),
            (Rows{{"item_id"}}));
  EXPECT_EQ(IndexColumns("idata_11", "idx_idata_11_item_id"),
            (Rows{{"item_id"}}));
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM idata_10"), "2");
  EXPECT_FALSE(db_->TableExists("idata_12"));
}

TEST_P(Steps41To63Test, ReindexWithoutNodesOnlyStoresTheCommand) {
  CreateServerTables(52);
  db_->Exec("CREATE TABLE nodes (id integer not null,PRIMARY KEY(id))");
  ConnectInProcess();
  std::string out;
  ASSERT_EQ(RunStep(52, &out), 1);
  EXPECT_EQ(out, "Reindexing database:\n");
  EXPECT_EQ(Version(), "53");
  std::string value = db_->Scalar(
      "SELECT var_value FROM config WHERE "
      "var_name='IDataIndexCreationCommand_1'");
  DecodeSQLString(&value[0]);
  EXPECT_STREQ(value.c_str(), g_apszIDataIndexFormats[syntax()]);
}

TEST_P(Steps41To63Test, ReindexFailsWithoutTheNodeListEvenUnderX) {
  CreateServerTables(52);
  ConnectInProcess();
  g_bContinueOnError = 1;
  std::string out;
  EXPECT_EQ(RunStep(52, &out), 0);
  EXPECT_EQ(out.rfind("SQL query failed (", 0), 0u) << out;
  EXPECT_EQ(out.find("Reindexing database:"), std::string::npos) << out;
  EXPECT_EQ(Version(), "52");
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM config WHERE "
                        "var_name='IDataIndexCreationCommand_1'"),
            "0");
}

TEST_P(Steps41To63Test, ReindexTracesOnlyTheNewIndexes) {
  CreateServerTables(52);
  db_->Exec(
      "CREATE TABLE nodes (id integer not null,PRIMARY KEY(id));\n"
      "INSERT INTO nodes (id) VALUES (7);\n"
      "INSERT INTO nodes (id) VALUES (8);\n"
      "CREATE TABLE idata_7 (item_id integer not null,idata_timestamp "
      "integer not null,idata_value varchar(255));\n"
      "CREATE INDEX idx_idata_7_timestamp ON idata_7(idata_timestamp)");
  ConnectInProcess();
  g_bShowQueries = 1;
  std::string out;
  ASSERT_EQ(RunStep(52, &out), 1);
  EXPECT_EQ(out.rfind(">>> SELECT id FROM nodes\nReindexing database:\n"
                      "   * idata_7\n>>> CREATE ",
                      0),
            0u)
      << out;
  EXPECT_NE(out.find("idx_idata_7_"), std::string::npos) << out;
  // The drop and the probe of the missing idata_8 are silent; node 8 gets
  // its line and nothing else.
  EXPECT_EQ(out.find("DROP"), std::string::npos) << out;
  EXPECT_EQ(out.find("idata_8 "), std::string::npos) << out;
  EXPECT_EQ(out.find("idata_8("), std::string::npos) << out;
  EXPECT_NE(out.find("   * idata_8\n>>> INSERT INTO config"), std::string::npos)
      << out;
  EXPECT_EQ(out.find("SQL query failed"), std::string::npos) << out;
  EXPECT_EQ(IndexColumns("idata_7", "idx_idata_7_timestamp"), Rows{});
}

TEST_P(Steps41To63Test, FailedStatementEndsTheStepUnlessX) {
  for (int continue_on_error : {0, 1}) {
    SCOPED_TRACE(continue_on_error);
    TearDown();
    SetUp();
    LoadFixture();
    db_->Exec("DROP TABLE images");
    g_bContinueOnError = continue_on_error;
    std::string out;
    EXPECT_EQ(RunStep(41, &out), continue_on_error);
    EXPECT_NE(out.find("SQL query failed ("), std::string::npos) << out;
    EXPECT_NE(out.find("INSERT INTO images"), std::string::npos) << out;
    EXPECT_EQ(Version(), continue_on_error ? "42" : "41");
    // Under -X the script goes past the failed line and the step goes on.
    EXPECT_EQ(db_->Scalar("SELECT count(*) FROM event_cfg WHERE event_code "
                          "IN (34,35)"),
              continue_on_error ? "2" : "0");
    EXPECT_EQ(db_->Scalar("SELECT count(*) FROM config WHERE var_name IN "
                          "('NumberOfConditionPollers',"
                          "'ConditionPollingInterval')"),
              continue_on_error ? "2" : "0");
    if (continue_on_error) continue;
    // Once the cause is gone the step runs again and completes, also on
    // MariaDB, where its tables were already committed by their DDL.
    db_->Exec(
        "CREATE TABLE images (image_id integer not null,name varchar(63) not "
        "null,file_name_png varchar(255) not null,file_hash_png varchar(32) "
        "not null,file_name_ico varchar(255) not null,file_hash_ico "
        "varchar(32) not null,PRIMARY KEY(image_id))");
    out.clear();
    EXPECT_EQ(RunStep(41, &out), 1) << out;
    EXPECT_EQ(out, "");
    EXPECT_EQ(Version(), "42");
    EXPECT_EQ(Columns("cond_dci_map"),
              SplitList("condition_id,dci_id,node_id,dci_func,num_polls"));
  }
}

INSTANTIATE_BACKEND_SUITE(Steps41To63Test);

}  // namespace
