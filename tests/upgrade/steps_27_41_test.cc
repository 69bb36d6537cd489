// Upgrade steps 27 to 41 called inside the process on a version-27 database
// (tests/upgrade/fixture27/v27.sql), each in a transaction of its own as the
// upgrade driver runs them: the converted rows, the new tables, columns,
// indexes and reference rows, the server variables, the identifiers of
// users and groups, and failing steps with and without -X.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "db/driver/syntax.h"
#include "front/globals.h"
#include "support/catalog.h"
#include "upgrade/baseline14.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_table.h"
#include "upgrade/steps.h"
#include "upgrade/upgrade_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

const char kEveryoneGroup[] = "-2147483648";

class Steps27To41Test : public UpgradeTest {
 protected:
  // Creates the version-27 database of the fixture, with its type markers
  // replaced by the names of this backend's dialect, and connects.
  void StartAtVersion27() {
    std::ifstream file(std::string(SCHEMON_SOURCE_DIR) +
                       "/tests/upgrade/fixture27/v27.sql");
    ASSERT_TRUE(file.good());
    std::stringstream text;
    text << file.rdbuf();
    std::string sql = text.str();
    const struct {
      const char* marker;
      const char* type;
    } markers[] = {{"$SQL:TEXT", g_apszSqlTypes[syntax()][0]},
                   {"$SQL:INT64", g_apszSqlTypes[syntax()][1]}};
    for (const auto& m : markers) {
      for (size_t at = sql.find(m.marker); at != std::string::npos;
           at = sql.find(m.marker, at)) {
        sql.replace(at, strlen(m.marker), m.type);
      }
    }
    db_->Exec(sql);
    ConnectInProcess();
  }

  // Runs the step of g_upgradeSteps that starts at version from, in a
  // transaction of its own as the driver does. Returns its result; *out
  // receives what it printed.
  int RunStepFrom(int from, std::string* out) {
    int (*procedure)() = nullptr;
    for (const UpgradeStep* s = g_upgradeSteps; s->procedure != nullptr; s++) {
      if (s->fromVersion == from) procedure = s->procedure;
    }
    EXPECT_NE(procedure, nullptr) << from;
    if (procedure == nullptr) return 0;
    return RunStep(procedure, out);
  }

  // Runs the steps from version from up to version to, expecting each to
  // succeed. Returns everything they printed.
  std::string RunSteps(int from, int to) {
    std::string all;
    for (int v = from; v < to; v++) {
      std::string out;
      EXPECT_NE(RunStepFrom(v, &out), 0) << "step " << v << ":\n" << out;
      all += out;
    }
    return all;
  }

  // The tables whose columns the steps change have exactly the columns of
  // version 41, in the order the steps leave them.
  void ExpectColumnsOfVersion41() {
    EXPECT_EQ(Columns("users"),
              (std::vector<std::string>{
                  "id", "name", "password", "flags", "full_name", "description",
                  "system_access", "grace_logins", "guid", "auth_method"}));
    EXPECT_EQ(Columns("user_groups"),
              (std::vector<std::string>{"id", "name", "flags", "description",
                                        "system_access", "guid"}));
    EXPECT_EQ(Columns("object_properties"),
              (std::vector<std::string>{
                  "object_id", "name", "status", "is_deleted", "image_id",
                  "last_modified", "inherit_access_rights", "status_calc_alg",
                  "status_prop_alg", "status_fixed_val", "status_shift",
                  "status_translation", "status_single_threshold",
                  "status_thresholds"}));
    EXPECT_TRUE(HasColumn("nodes", "zone_guid"));
    EXPECT_TRUE(HasColumn("nodes", "proxy_node"));
    EXPECT_TRUE(HasColumn("subnets", "zone_guid"));
    EXPECT_TRUE(HasColumn("items", "adv_schedule"));
    EXPECT_FALSE(db_->TableExists("new_nodes"));
  }

  // The value and flags of a server variable, or no row.
  Rows Variable(const std::string& name) {
    return db_->Rows(
        "SELECT var_value,is_visible,need_server_restart FROM config WHERE "
        "var_name='" +
        name + "'");
  }


  // The identifiers of every user and group.
  std::vector<std::string> Identifiers() {
    std::vector<std::string> guids;
    for (const auto& row :
         db_->Rows("SELECT guid FROM users UNION ALL SELECT guid FROM "
                   "user_groups")) {
      guids.push_back(row[0]);
    }
    return guids;
  }
};

// True when text has the 8-4-4-4-12 form of an identifier in lower-case
// hexadecimal.
bool IsIdentifierText(const std::string& text) {
  if (text.size() != 36) return false;
  for (size_t i = 0; i < text.size(); i++) {
    bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    char c = text[i];
    if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
      return false;
    }
  }
  return true;
}

TEST_P(Steps27To41Test, Version27BecomesVersion41) {
  StartAtVersion27();
  // Both must survive: StatusCalculationAlgorithm is deleted and added
  // again with "1", DefaultCommunityString is kept as it is.
  SetConfig("StatusCalculationAlgorithm", "3");
  ASSERT_EQ(Variable("DefaultCommunityString"), (Rows{{"private", "1", "0"}}));

  EXPECT_EQ(RunSteps(27, 41), "Generating GUIDs...\n");
  EXPECT_EQ(StoredVersion(), 41);

  // Rights moved to system_access, grace logins and the authentication
  // method set on every user.
  EXPECT_EQ(db_->Rows("SELECT id,system_access,grace_logins,auth_method FROM "
                      "users ORDER BY id"),
            (Rows{{"0", "65535", "5", "0"},
                  {"1", "0", "5", "0"},
                  {"7", "1234", "5", "0"}}));
  EXPECT_EQ(db_->Rows("SELECT id,system_access FROM user_groups ORDER BY id"),
            (Rows{{"-2147483648", "0"}, {"-2147483647", "255"}}));
  std::vector<std::string> guids = Identifiers();
  ASSERT_EQ(guids.size(), 5u);
  for (const auto& g : guids) EXPECT_TRUE(IsIdentifierText(g)) << g;
  EXPECT_EQ(std::set<std::string>(guids.begin(), guids.end()).size(), 5u);
  EXPECT_TRUE(IsIdentifierText(db_->Scalar(
      std::string("SELECT guid FROM user_groups WHERE id=") + kEveryoneGroup)));

  EXPECT_EQ(db_->Rows("SELECT id,zone_guid,proxy_node,community FROM nodes "
                      "ORDER BY id"),
            (Rows{{"10", "0", "0", "public"}, {"11", "0", "0", "public"}}));
  EXPECT_EQ(db_->Rows("SELECT id,zone_guid FROM subnets"), (Rows{{"20", "0"}}));
  EXPECT_EQ(db_->Rows("SELECT item_id,adv_schedule FROM items ORDER BY "
                      "item_id"),
            (Rows{{"100", "0"}, {"101", "0"}}));
  // Every object keeps its properties and gets the status settings.
  Rows properties = db_->Rows(
      "SELECT object_id,name,status,is_deleted,status_calc_alg,"
      "status_prop_alg,status_fixed_val,status_shift,status_translation,"
      "status_single_threshold,status_thresholds FROM object_properties "
      "ORDER BY object_id");
  const std::vector<std::string> kStatusSettings = {
      "0", "0", "0", "0", "01020304", "75", "503C2814"};
  Rows kept;
  for (const auto& row : properties) {
    kept.push_back(std::vector<std::string>(row.begin(), row.begin() + 4));
    EXPECT_EQ(std::vector<std::string>(row.begin() + 4, row.end()),
              kStatusSettings)
        << row[0];
  }
  EXPECT_EQ(kept, (Rows{{"1", "Entire Network", "5", "0"},
                        {"2", "All Services", "5", "0"},
                        {"3", "Templates", "5", "0"},
                        {"10", "router", "0", "0"},
                        {"11", "old#20box", "4", "1"},
                        {"20", "10.0.0.0", "0", "0"}}));

  // The new tables with exactly their columns, and the rows the steps put
  // in them.
  const struct {
    const char* table;
    std::vector<std::string> columns;
    const char* rows;
  } tables[] = {
      {"zones",
       {"id", "zone_guid", "zone_type", "controller_ip", "description"},
       "0"},
      {"zone_ip_addr_list", {"zone_id", "ip_addr"}, "0"},
      {"vpn_connectors", {"id", "node_id", "peer_gateway"}, "0"},
      {"vpn_connector_networks",
       {"vpn_id", "network_type", "ip_addr", "ip_netmask"},
       "0"},
      {"object_tools",
       {"tool_id", "tool_name", "tool_type", "tool_data", "description",
        "flags", "matching_oid"},
       "12"},
      {"object_tools_acl", {"tool_id", "user_id"}, "12"},
      {"object_tools_table_columns",
       {"tool_id", "col_number", "col_name", "col_oid", "col_format",
        "col_substr"},
       "15"},
      {"dci_schedules", {"item_id", "schedule"}, "0"},
      {"syslog",
       {"msg_id", "msg_timestamp", "facility", "severity", "source_object_id",
        "hostname", "msg_tag", "msg_text"},
       "0"},
      {"script_library", {"script_id", "script_name", "script_code"}, "4"},
      {"snmp_trap_log",
       {"trap_id", "trap_timestamp", "ip_addr", "object_id", "trap_oid",
        "trap_varlist"},
       "0"},
      {"maps", {"map_id", "map_name", "description", "root_object_id"}, "1"},
      {"map_access_lists", {"map_id", "user_id", "access_rights"}, "1"},
      {"submaps", {"map_id", "submap_id", "attributes"}, "0"},
      {"submap_object_positions",
       {"map_id", "submap_id", "object_id", "x", "y"},
       "0"},
      {"submap_links",
       {"map_id", "submap_id", "object_id1", "object_id2", "link_type"},
       "0"},
  };
  for (const auto& t : tables) {
    EXPECT_EQ(Columns(t.table), t.columns) << t.table;
    EXPECT_EQ(db_->Scalar(std::string("SELECT COUNT(*) FROM ") + t.table),
              t.rows)
        << t.table;
  }
  ExpectColumnsOfVersion41();

  const struct {
    const char* table;
    const char* index;
    const char* column;
  } indexes[] = {
      {"event_log", "idx_event_log_event_timestamp", "event_timestamp"},
      {"syslog", "idx_syslog_msg_timestamp", "msg_timestamp"},
      {"snmp_trap_log", "idx_snmp_trap_log_trap_timestamp", "trap_timestamp"}};
  for (const auto& i : indexes) {
    EXPECT_EQ(IndexColumns(db_.get(), syntax(), i.table, i.index),
              (Rows{{i.column}}))
        << i.index;
  }

  EXPECT_EQ(db_->Rows("SELECT image_id,name,file_name_png FROM images ORDER BY "
                      "image_id"),
            (Rows{{"1", "Obj.Node", "node.png"},
                  {"12", "Obj.NetworkService", "network_service.png"},
                  {"13", "Obj.Zone", "zone.png"},
                  {"14", "Obj.VPNConnector", "vpnc.png"}}));
  EXPECT_EQ(db_->Rows("SELECT object_class,image_id FROM default_images ORDER "
                      "BY object_class"),
            (Rows{{"2", "1"}, {"6", "13"}, {"11", "12"}, {"12", "14"}}));

  EXPECT_EQ(
      db_->Rows("SELECT tool_id,tool_name,tool_type,tool_data,flags,"
                "description,matching_oid FROM object_tools WHERE tool_id IN "
                "(1,3,6,11,12) ORDER BY tool_id"),
      (Rows{{"1", "&Shutdown system", "1", "System.Shutdown", "0",
             "Shutdown target node via Orvane agent", "#00"},
            {"3", "&Wakeup node", "0", "wakeup", "0",
             "Wakeup node using Wake-On-LAN magic packet", "#00"},
            {"6", "&Connect->Open &web browser", "4",
             "http://#25OBJECT_IP_ADDR#25", "0",
             "Open embedded web browser to node", "#00"},
            {"11", "&Info->&Agent->Supported &actions", "3",
             "Supported actions#7FAgent.ActionList#7F^(.*) (.*) #22(.*)#22.*",
             "0", "Show list of actions supported by agent", "#00"},
            {"12", "&Info->&Agent->Configured &ICMP targets", "3",
             "Configured ICMP targets#7FICMP.TargetList#7F^(.*) (.*) (.*) "
             "(.*)",
             "0", "Show list of ICMP targets configured on agent", "#00"}}));
  EXPECT_EQ(db_->Rows("SELECT col_number,col_name,col_oid,col_format,"
                      "col_substr FROM object_tools_table_columns WHERE "
                      "tool_id=12 ORDER BY col_number"),
            (Rows{{"0", "IP Address", "", "0", "1"},
                  {"1", "Name", "", "0", "4"},
                  {"2", "Last RTT", "", "0", "2"},
                  {"4", "Average RTT", "", "0", "3"}}));
  EXPECT_EQ(db_->Rows("SELECT col_number,col_name,col_oid,col_format,"
                      "col_substr FROM object_tools_table_columns WHERE "
                      "tool_id=5 ORDER BY col_number"),
            (Rows{{"0", "MAC Address", ".1.3.6.1.2.1.17.4.3.1.1", "4", "0"},
                  {"1", "Port", ".1.3.6.1.2.1.17.4.3.1.2", "1", "0"}}));
  EXPECT_EQ(db_->Rows("SELECT DISTINCT user_id FROM object_tools_acl"),
            (Rows{{kEveryoneGroup}}));
  EXPECT_EQ(db_->Scalar("SELECT COUNT(DISTINCT tool_id) FROM object_tools_acl"),
            "12");

  EXPECT_EQ(db_->Rows("SELECT script_id,script_name,script_code FROM "
                      "script_library WHERE script_id IN (3,4) ORDER BY "
                      "script_id"),
            (Rows{{"3", "Filter::AgentOrSNMP",
                   "sub main()#0D#0A{#0D#0A   return $1->isAgent || "
                   "$1->isSNMP;#0D#0A}#0D#0A"},
                  {"4", "DCI::SampleTransform",
                   "sub dci_transform()#0D#0A{#0D#0A   return $1 + "
                   "1;#0D#0A}#0D#0A"}}));
  EXPECT_EQ(db_->Rows("SELECT map_id,map_name,description,root_object_id FROM "
                      "maps"),
            (Rows{{"1", "Default", "Default network map", "1"}}));
  EXPECT_EQ(db_->Rows("SELECT map_id,user_id,access_rights FROM "
                      "map_access_lists"),
            (Rows{{"1", kEveryoneGroup, "1"}}));
  EXPECT_EQ(db_->Rows("SELECT event_name,severity,flags,message FROM event_cfg "
                      "WHERE event_code=33"),
            (Rows{{"SYS_SCRIPT_ERROR", "2", "1",
                   "Script (%1) execution error: %2"}}));
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM event_log"), "1");

  const struct {
    const char* name;
    const char* value;  // as stored
    const char* visible;
    const char* restart;
  } variables[] = {
      {"EnableZoning", "0", "1", "1"},
      {"StatusCalculationAlgorithm", "1", "1", "1"},
      {"EnableMultipleDBConnections", "1", "1", "1"},
      {"NumberOfDatabaseWriters", "1", "1", "1"},
      {"DefaultEncryptionPolicy", "1", "1", "1"},
      {"AllowedCiphers", "15", "1", "1"},
      {"KeepAliveInterval", "60", "1", "1"},
      {"NumberOfRoutingTablePollers", "5", "1", "1"},
      {"RoutingTableUpdateInterval", "300", "1", "1"},
      {"IcmpPingSize", "46", "1", "1"},
      {"SMSDrvConfig", "#00", "1", "1"},
      {"EnableSyslogDaemon", "0", "1", "1"},
      {"SyslogListenPort", "514", "1", "1"},
      {"SyslogRetentionTime", "5184000", "1", "0"},
      {"StatusPropagationAlgorithm", "1", "1", "1"},
      {"FixedStatusValue", "0", "1", "1"},
      {"StatusShift", "0", "1", "1"},
      {"StatusTranslation", "01020304", "1", "1"},
      {"StatusSingleThreshold", "75", "1", "1"},
      {"StatusThresholds", "503C2814", "1", "1"},
      {"CapabilityExpirationTime", "604800", "1", "0"},
      {"DefaultCommunityString", "private", "1", "0"},
      {"DiscoveryFilter", "none", "1", "0"},
      {"LogAllSNMPTraps", "0", "1", "1"},
      {"LockTimeout", "60000", "1", "1"},
      {"DisableVacuum", "0", "1", "0"},
      {"RADIUSServer", "localhost", "1", "0"},
      {"RADIUSSecret", "kurnip", "1", "0"},
      {"RADIUSNumRetries", "5", "1", "0"},
      {"RADIUSTimeout", "3", "1", "0"},
  };
  for (const auto& v : variables) {
    EXPECT_EQ(Variable(v.name), (Rows{{v.value, v.visible, v.restart}}))
        << v.name;
  }
  EXPECT_EQ(Variable("NewNodePollingInterval"), Rows{});
}

TEST_P(Steps27To41Test, EveryRunGivesNewIdentifiers) {
  StartAtVersion27();
  RunSteps(27, 41);
  std::vector<std::string> first = Identifiers();
  // The same database at version 40 again. The columns go through the
  // tool's own connection: an SQLite connection does not see a column
  // that another one dropped before it prepares an ALTER TABLE.
  for (const char* statement :
       {"ALTER TABLE users DROP COLUMN guid",
        "ALTER TABLE users DROP COLUMN auth_method",
        "ALTER TABLE user_groups DROP COLUMN guid",
        "UPDATE config SET var_value='40' WHERE var_name='DBFormatVersion'"}) {
    ASSERT_TRUE(DBQuery(g_hDbConnection, statement)) << statement;
  }
  EXPECT_EQ(RunSteps(40, 41), "Generating GUIDs...\n");
  std::vector<std::string> second = Identifiers();
  ASSERT_EQ(second.size(), 5u);
  std::set<std::string> all(first.begin(), first.end());
  all.insert(second.begin(), second.end());
  EXPECT_EQ(all.size(), 10u);
}

TEST_P(Steps27To41Test, FailedStepIsRolledBackUnlessContinuing) {
  StartAtVersion27();
  RunSteps(27, 28);
  // An image 13 of the site's own makes the step's insert of it fail.
  db_->Exec(
      "INSERT INTO images (image_id,name,file_name_png,file_hash_png,"
      "file_name_ico,file_hash_ico) VALUES (13,'Site.Own','own.png','x',"
      "'own.ico','x')");
  const char kFailed[] =
      "):\nINSERT INTO images (image_id,name,file_name_png,file_hash_png,"
      "file_name_ico,file_hash_ico) VALUES (13,'Obj.Zone','zone.png',"
      "'<invalid_hash>','zone.ico','<invalid_hash>')\n";

  std::string out;
  EXPECT_EQ(RunStepFrom(28, &out), 0);
  EXPECT_EQ(out.find("SQL query failed ("), 0u) << out;
  EXPECT_NE(out.find(kFailed), std::string::npos) << out;
  EXPECT_EQ(StoredVersion(), 28);
  EXPECT_EQ(Variable("EnableZoning"), Rows{});
  // Also on MariaDB, where the step's DDL committed on its own: what came
  // after the last DDL statement is still undone.
  EXPECT_EQ(db_->Rows("SELECT image_id FROM default_images WHERE "
                      "object_class=6"),
            Rows{});

  g_bContinueOnError = 1;
  EXPECT_NE(RunStepFrom(28, &out), 0);
  EXPECT_NE(out.find(kFailed), std::string::npos) << out;
  EXPECT_EQ(StoredVersion(), 29);
  EXPECT_EQ(Variable("EnableZoning"), (Rows{{"0", "1", "1"}}));
  EXPECT_EQ(db_->Rows("SELECT name FROM images WHERE image_id=13"),
            (Rows{{"Site.Own"}}));
  EXPECT_EQ(db_->Rows("SELECT image_id FROM default_images WHERE "
                      "object_class=6"),
            (Rows{{"13"}}));
  EXPECT_EQ(db_->Rows("SELECT zone_guid FROM nodes"), (Rows{{"0"}, {"0"}}));
}

TEST_P(Steps27To41Test, IdentifierStepWithoutUsersTable) {
  StartAtVersion27();
  RunSteps(27, 40);
  ASSERT_TRUE(DBQuery(g_hDbConnection, "DROP TABLE users"));

  // The first column of the script fails: nothing else runs.
  std::string out;
  EXPECT_EQ(RunStepFrom(40, &out), 0);
  EXPECT_EQ(out.find("SQL query failed ("), 0u) << out;
  EXPECT_EQ(out.find("Generating GUIDs"), std::string::npos) << out;
  EXPECT_EQ(StoredVersion(), 40);
  EXPECT_EQ(Variable("RADIUSServer"), Rows{});

  // With -X the failed select is reported and only skips the users; the
  // groups get their identifiers and the step completes.
  g_bContinueOnError = 1;
  EXPECT_NE(RunStepFrom(40, &out), 0);
  EXPECT_NE(out.find("Generating GUIDs...\nSQL query failed ("),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("):\nSELECT id FROM users\n"), std::string::npos) << out;
  EXPECT_EQ(StoredVersion(), 41);
  Rows groups = db_->Rows("SELECT guid FROM user_groups");
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_TRUE(IsIdentifierText(groups[0][0])) << groups[0][0];
  EXPECT_TRUE(IsIdentifierText(groups[1][0])) << groups[1][0];
  EXPECT_NE(groups[0][0], groups[1][0]);
  EXPECT_EQ(Variable("RADIUSTimeout"), (Rows{{"3", "1", "0"}}));
}

TEST_P(Steps27To41Test, VersionOfTheBaselineUpgradedTo27GoesOn) {
  LoadBaseline14(db_.get(), syntax());
  ConnectInProcess();
  g_bRepairWithoutAsking = 1;  // the index questions of the earlier steps
  for (int v = 14; v < 27; v++) {
    std::string out;
    ASSERT_NE(RunStepFrom(v, &out), 0) << "earlier step " << v << ":\n" << out;
  }
  Rows access = db_->Rows("SELECT id,access FROM users ORDER BY id");
  Rows group_access =
      db_->Rows("SELECT id,access FROM user_groups ORDER BY id");
  std::string objects = db_->Scalar("SELECT COUNT(*) FROM object_properties");

  EXPECT_EQ(RunSteps(27, 41), "Generating GUIDs...\n");
  EXPECT_EQ(StoredVersion(), 41);
  EXPECT_EQ(db_->Rows("SELECT id,system_access FROM users ORDER BY id"),
            access);
  EXPECT_EQ(db_->Rows("SELECT id,system_access FROM user_groups ORDER BY id"),
            group_access);
  std::vector<std::string> guids = Identifiers();
  EXPECT_EQ(guids.size(), access.size() + group_access.size());
  for (const auto& g : guids) EXPECT_TRUE(IsIdentifierText(g)) << g;
  EXPECT_EQ(std::set<std::string>(guids.begin(), guids.end()).size(),
            guids.size());
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM object_properties"), objects);
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM object_properties WHERE "
                        "status_calc_alg=0 AND status_single_threshold=75"),
            objects);
  ExpectColumnsOfVersion41();
}

TEST_P(Steps27To41Test, TableOptionsGoOnlyToMysqlTables) {
  StartAtVersion27();
  g_pszTableOptions = " TYPE=InnoDB";
  g_bShowQueries = 1;
  std::string out = RunSteps(27, 41);
  // Every table of the range is made by AddTable, so each gets the options
  // on MySQL (in the form the server accepts) and none elsewhere.
  int tables = 0;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("CREATE TABLE ") == std::string::npos) continue;
    tables++;
    if (syntax() == SYNTAX_MYSQL) {
      EXPECT_NE(line.find("=InnoDB"), std::string::npos) << line;
    } else {
      EXPECT_EQ(line.find("InnoDB"), std::string::npos) << line;
    }
  }
  EXPECT_EQ(tables, 16) << out;
}

INSTANTIATE_BACKEND_SUITE(Steps27To41Test);

}  // namespace
