// Upgrade steps 86 to 98 on every backend, from a small version-86 database
// (tests/upgrade/v86_fixture.sql): the resulting tables against a database
// made by the shipped init script, the move of the settings into metadata,
// the converted texts, guarded failures with and without -X, and reruns.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "db/driver/driver.h"
#include "front/globals.h"
#include "support/backend_test.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_resume.h"
#include "upgrade/upgrade.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

void ReplaceAll(std::string* text, const std::string& from,
                const std::string& to) {
  for (size_t at = text->find(from); at != std::string::npos;
       at = text->find(from, at + to.size())) {
    text->replace(at, from.size(), to);
  }
}

// Type classes for a loose comparison of column types across dialects.
std::string TypeClass(std::string type) {
  for (char& c : type) c = static_cast<char>(tolower(c));
  if (type == "bigint" || type == "int8" || type == "number(20)") {
    return "int64";
  }
  if (type.find("int") != std::string::npos) return "int";
  return "text";
}

// The query that lists a table's columns in order, as (name, type) rows,
// by syntax code.
const char* const kColumnQueries[SYNTAX_COUNT] = {
    "SELECT column_name,data_type FROM information_schema.columns WHERE "
    "table_schema=database() AND table_name='%s' ORDER BY ordinal_position",
    "SELECT column_name,data_type FROM information_schema.columns WHERE "
    "table_schema=current_schema() AND table_name='%s' ORDER BY "
    "ordinal_position",
    nullptr,
    nullptr,
    "SELECT name,type FROM pragma_table_info('%s') ORDER BY cid",
};

// The shipped init script by syntax code.
const char* const kInitScripts[SYNTAX_COUNT] = {"dbinit_mysql.sql",
                                                "dbinit_pgsql.sql", nullptr,
                                                nullptr, "dbinit_sqlite.sql"};

// "name:class" of each column of table, in order.
std::vector<std::string> Columns(TestDatabase* db, int syntax,
                                 const std::string& table) {
  std::string query = kColumnQueries[syntax];
  ReplaceAll(&query, "%s", table);
  std::vector<std::string> columns;
  for (const auto& row : db->Rows(query)) {
    std::string name = row[0];
    for (char& c : name) c = static_cast<char>(tolower(c));
    columns.push_back(name + ":" + TypeClass(row[1]));
  }
  return columns;
}

class Steps86To98Test : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (kColumnQueries[syntax()] == nullptr) {
      GTEST_SKIP() << "no version-86 fixture for this database";
    }
  }

  // Fills the test database with the version-86 fixture and, when connect
  // is set, connects the tool to it in this process.
  void LoadFixture(bool connect = true) {
    std::string sql = ReadFileText(std::string(SCHEMON_SOURCE_DIR) +
                               "/tests/upgrade/v86_fixture.sql");
    ReplaceAll(&sql, "$SQL:TEXT", g_apszSqlTypes[syntax()][0]);
    ReplaceAll(&sql, "$SQL:INT64", g_apszSqlTypes[syntax()][1]);
    db_->Exec(sql);
    db_->Exec(std::string("INSERT INTO config (var_name,var_value,is_visible,"
                          "need_server_restart) VALUES ('DBSyntax','") +
              SyntaxName(syntax()) + "',0,1)");
    if (connect) ConnectInProcess();
  }

  // Runs the steps from `from` to `to` as the upgrade driver does, each in a
  // transaction of its own, committed when it succeeds; stops at the first
  // failure. Returns the version reached; *out gets what the steps printed.
  int RunSteps(int from, int to, std::string* out) {
    testing::internal::CaptureStdout();
    int version = from;
    for (; version < to; version++) {
      const UpgradeStep* step = FindUpgradeStep(version);
      if (step == nullptr) break;
      DBBegin(g_hDbConnection);
      if (!RunResumableStep(*step)) {
        DBRollback(g_hDbConnection);
        break;
      }
      if (!DBCommit(g_hDbConnection)) break;
    }
    fflush(stdout);
    *out = testing::internal::GetCapturedStdout();
    return version;
  }

  std::string Version() {
    return db_->Scalar(
        "SELECT var_value FROM metadata WHERE var_name='SchemaVersion'");
  }

  // A second database of the same backend, made by the shipped init script.
  std::unique_ptr<TestDatabase> MakeInitDatabase() {
    std::unique_ptr<TestDatabase> ref = GetParam().create(dir_);
    std::string config = WriteFile("init.conf", ref->ConfigText());
    RunResult r = RunSchemon({"-c", config, "init",
                              std::string(SCHEMON_SOURCE_DIR) + "/lib/sql/" +
                                  kInitScripts[syntax()]});
    EXPECT_NE(r.out.find("Database initialized successfully\n"),
              std::string::npos)
        << r.out;
    return ref;
  }
};

// The driver's lines for a run of the steps from `from` to `to`.
std::string StepLines(int from, int to) {
  std::string lines;
  for (int v = from; v < to; v++) {
    lines += "Upgrading from version " + std::to_string(v) + " to " +
             std::to_string(v + 1) + "\n";
  }
  return lines;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1)) {
    n++;
  }
  return n;
}

TEST_P(Steps86To98Test, UpgradedTablesMatchAnInitialisedDatabase) {
  LoadFixture(false);
  RunResult r = Run({"upgrade"});
  EXPECT_EQ(r.out, Banner() + std::string("Upgrading database...\n") +
                       StepLines(86, 98) + "Database upgrade succeeded\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(Version(), "98");
  EXPECT_FALSE(db_->TableExists("images"));
  EXPECT_FALSE(db_->TableExists("default_images"));

  std::unique_ptr<TestDatabase> ref = MakeInitDatabase();
  const char* const tables[] = {"config",
                                "metadata",
                                "templates",
                                "containers",
                                "cluster_resources",
                                "event_cfg",
                                "items",
                                "userdb_custom_attributes",
                                "nodes",
                                "alarms",
                                "object_tools",
                                "object_tools_table_columns",
                                "object_tools_acl",
                                "object_properties",
                                "usm_credentials",
                                "event_log",
                                "audit_log",
                                "syslog",
                                "snmp_trap_log"};
  for (const char* table : tables) {
    std::vector<std::string> expected = Columns(ref.get(), syntax(), table);
    // An init script may keep the column that step 95 to 96 drops, for
    // the repairs of check that still write it.
    if (std::string(table) == "object_properties") {
      auto it = std::find(expected.begin(), expected.end(), "image_id:int");
      if (it != expected.end()) expected.erase(it);
    }
    EXPECT_FALSE(expected.empty()) << table;
    EXPECT_EQ(Columns(db_.get(), syntax(), table), expected) << table;
  }

  // The reference rows the steps insert are those of the init script.
  const char* const reference_rows[] = {
      "SELECT event_code,event_name,severity,flags,message,description FROM "
      "event_cfg WHERE event_code=52",
      "SELECT tool_id,tool_name,tool_type,tool_data,description,flags,"
      "matching_oid,confirmation_text FROM object_tools WHERE tool_id=20",
      "SELECT tool_id,col_number,col_name,col_oid,col_format,col_substr FROM "
      "object_tools_table_columns WHERE tool_id=20 ORDER BY col_number",
      "SELECT tool_id,user_id FROM object_tools_acl WHERE tool_id=20",
      "SELECT var_name,var_value,is_visible,need_server_restart FROM config "
      "WHERE var_name IN ('ConnectionPoolBaseSize',"
      "'ConnectionPoolCooldownTime') ORDER BY var_name",
  };
  for (const char* query : reference_rows) {
    Rows expected = ref->Rows(query);
    EXPECT_FALSE(expected.empty()) << query;
    EXPECT_EQ(db_->Rows(query), expected) << query;
  }
  // A pool size already set keeps its value and flags.
  EXPECT_EQ(db_->Rows("SELECT var_value,is_visible,need_server_restart FROM "
                      "config WHERE var_name='ConnectionPoolMaxSize'"),
            (Rows{{"7", "0", "0"}}));
}

TEST_P(Steps86To98Test, NewColumnsGetTheirInitialValues) {
  LoadFixture();
  std::string out;
  ASSERT_EQ(RunSteps(86, 98, &out), 98) << out;
  const struct {
    const char* query;
    Rows rows;
  } cases[] = {
      {"SELECT id,enable_auto_apply,apply_filter FROM templates ORDER BY id",
       {{"3", "0", "#00"}, {"101", "0", "#00"}}},
      {"SELECT enable_auto_bind,auto_bind_filter FROM containers",
       {{"0", "#00"}}},
      {"SELECT current_owner FROM cluster_resources", {{"0"}}},
      {"SELECT base_units,unit_multiplier,custom_units_name,perftab_settings "
       "FROM items",
       {{"0", "1", "#00", "#00"}}},
      {"SELECT usm_auth_password,usm_priv_password,usm_methods FROM nodes",
       {{"#00", "#00", "0"}}},
      {"SELECT object_id,location_type,latitude,longitude FROM "
       "object_properties ORDER BY object_id",
       {{"1", "0", "<null>", "<null>"}, {"104", "0", "<null>", "<null>"}}},
      {"SELECT COUNT(*) FROM userdb_custom_attributes", {{"0"}}},
      {"SELECT COUNT(*) FROM usm_credentials", {{"0"}}},
      {"SELECT COUNT(*) FROM audit_log", {{"0"}}},
      // The rows that were there stay.
      {"SELECT event_code FROM event_cfg ORDER BY event_code", {{"1"}, {"52"}}},
      {"SELECT tool_id FROM object_tools ORDER BY tool_id", {{"1"}, {"20"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(db_->Rows(c.query), c.rows) << c.query;
}

TEST_P(Steps86To98Test, EscapedTextsBecomePlain) {
  LoadFixture();
  std::string out;
  ASSERT_EQ(RunSteps(86, 98, &out), 98) << out;
  const struct {
    const char* query;
    Rows rows;
  } cases[] = {
      {"SELECT alarm_id,message,alarm_key,hd_ref FROM alarms ORDER BY "
       "alarm_id",
       {{"1", "", "", ""},
        {"2", "Node \"10.0.0.1\" is down: it's 100% lost\r\nback\\slash",
         "NODE_DOWN#104", "HD-7"},
        {"3", "plain text", "plain key", "plain"}}},
      {"SELECT object_id,comments FROM object_properties ORDER BY object_id",
       {{"1", ""}, {"104", "Rack #3, row 'B'"}}},
      // Keys beyond 32 bits address their own rows.
      {"SELECT event_id,event_message,user_tag FROM event_log ORDER BY "
       "event_id",
       {{"1", "", ""},
        {"5000000002", "Node down (100% loss)", "tag-one"},
        {"5000000003", "no escapes", "plain"}}},
      {"SELECT msg_id,msg_text FROM syslog ORDER BY msg_id",
       {{"2", ""},
        {"9000000000000000001", "Accepted key for 'root' from 10.0.0.2"}}},
      {"SELECT trap_varlist FROM snmp_trap_log",
       {{"ifIndex=2\r\nifDescr=\"eth0\""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(db_->Rows(c.query), c.rows) << c.query;
}

TEST_P(Steps86To98Test, SettingsMoveToMetadataAsPlainText) {
  LoadFixture();
  // A value holding a quote and a backslash, and one longer than metadata
  // holds whose escape straddles the cut.
  std::string long_value = std::string(253, 'x') + "#27" + std::string(10, 'y');
  SetConfig("IDataIndexCreationCommand_2",
            "CREATE INDEX i ON idata_#25d(#27a#27,#5C)");
  SetConfig("IDataIndexCreationCommand_3", long_value);
  std::string out;
  ASSERT_EQ(RunSteps(86, 87, &out), 87) << out;
  EXPECT_EQ(out, "");
  EXPECT_EQ(
      db_->Rows("SELECT var_name,var_value FROM metadata ORDER BY var_name"),
      (Rows{
          {"IDataIndexCreationCommand_0",
           "CREATE INDEX idx_idata_%d_item_id ON idata_%d(item_id)"},
          {"IDataIndexCreationCommand_1",
           "CREATE INDEX idx_idata_%d_timestamp_id ON "
           "idata_%d(idata_timestamp,item_id)"},
          {"IDataIndexCreationCommand_2", "CREATE INDEX i ON idata_%d('a',\\)"},
          {"IDataIndexCreationCommand_3",
           std::string(253, 'x') + "'" + std::string(1, 'y')},
          {"IDataTableCreationCommand",
           "CREATE TABLE idata_%d (item_id integer not null,idata_timestamp "
           "integer not null,idata_value varchar(255))"},
          {"SchemaVersion", "87"},
          {"Syntax", SyntaxName(syntax())},
      }));
  EXPECT_EQ(db_->Rows("SELECT var_name FROM config ORDER BY var_name"),
            (Rows{{"ConnectionPoolMaxSize"},
                  {"DBLockStatus"},
                  {"EventLogRetentionTime"}}));
  // The driver now reads the version and the syntax from metadata.
  EXPECT_EQ(DBGetSchemaVersion(g_hDbConnection), 87);
  EXPECT_EQ(DBGetSyntax(g_hDbConnection), syntax());
}

// metadata holds 255 characters: a two-byte character at the end stays
// whole, and nothing after it is kept.
TEST_P(Steps86To98Test, LongValueIsCutOnACharacterBoundary) {
  LoadFixture();
  std::string value = std::string(254, 'a') + "\xC3\xA9" + "tail";
  SetConfig("IDataTableCreationCommand", value);
  std::string out;
  ASSERT_EQ(RunSteps(86, 87, &out), 87) << out;
  EXPECT_EQ(db_->Scalar("SELECT var_value FROM metadata WHERE "
                        "var_name='IDataTableCreationCommand'"),
            std::string(254, 'a') + "\xC3\xA9");
}

TEST_P(Steps86To98Test, TraceShowsEveryStatementOfAStep) {
  LoadFixture();
  std::string out;
  ASSERT_EQ(RunSteps(86, 94, &out), 94) << out;
  g_bShowQueries = 1;
  ASSERT_EQ(RunSteps(94, 95, &out), 95) << out;
  const char* const lines[] = {
      "INSERT INTO object_tools (tool_id,tool_name,tool_type,tool_data,flags,"
      "matching_oid,description,confirmation_text) VALUES (20,'&Info->"
      "Topology table (LLDP)',2,'Topology Table',1,' ','Show topology table "
      "(LLDP)','#00')",
      "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name,"
      "col_oid,col_format,col_substr) VALUES (20,0,'Chassis ID',"
      "'.1.0.8802.1.1.2.1.4.1.1.5',0,0)",
      "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name,"
      "col_oid,col_format,col_substr) VALUES (20,1,'Local port',"
      "'.1.0.8802.1.1.2.1.4.1.1.2',5,0)",
      "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name,"
      "col_oid,col_format,col_substr) VALUES (20,2,'System name',"
      "'.1.0.8802.1.1.2.1.4.1.1.9',0,0)",
      "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name,"
      "col_oid,col_format,col_substr) VALUES (20,3,'System description',"
      "'.1.0.8802.1.1.2.1.4.1.1.10',0,0)",
      "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name,"
      "col_oid,col_format,col_substr) VALUES (20,4,'Remote port ID',"
      "'.1.0.8802.1.1.2.1.4.1.1.7',4,0)",
      "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name,"
      "col_oid,col_format,col_substr) VALUES (20,5,'Remote port description',"
      "'.1.0.8802.1.1.2.1.4.1.1.8',0,0)",
      "INSERT INTO object_tools_acl (tool_id,user_id) VALUES (20,-2147483648)",
      "UPDATE metadata SET var_value='95' WHERE var_name='SchemaVersion'",
  };
  std::string expected;
  for (const char* line : lines) expected += std::string(">>> ") + line + "\n";
  EXPECT_EQ(out, expected);
}

TEST_P(Steps86To98Test, MovesAreTracedInOrder) {
  LoadFixture();
  g_bShowQueries = 1;
  std::string out;
  ASSERT_EQ(RunSteps(86, 87, &out), 87) << out;
  const char* const in_order[] = {
      "CREATE TABLE",
      ">>> SELECT var_value FROM config WHERE var_name='DBFormatVersion'\n"
      ">>> INSERT INTO metadata (var_name,var_value) VALUES "
      "('SchemaVersion','86')\n"
      ">>> DELETE FROM config WHERE var_name='DBFormatVersion'\n",
      ">>> SELECT var_value FROM config WHERE var_name='DBSyntax'\n",
      ">>> SELECT var_value FROM config WHERE "
      "var_name='IDataTableCreationCommand'\n",
      ">>> SELECT var_value FROM config WHERE "
      "var_name='IDataIndexCreationCommand_0'\n",
      ">>> SELECT var_value FROM config WHERE "
      "var_name='IDataIndexCreationCommand_1'\n",
      // The absent names are looked up and nothing else happens.
      ">>> SELECT var_value FROM config WHERE "
      "var_name='IDataIndexCreationCommand_2'\n"
      ">>> SELECT var_value FROM config WHERE "
      "var_name='IDataIndexCreationCommand_3'\n"
      ">>> UPDATE metadata SET var_value='87' WHERE "
      "var_name='SchemaVersion'\n",
  };
  size_t at = 0;
  for (const char* part : in_order) {
    size_t found = out.find(part, at);
    ASSERT_NE(found, std::string::npos) << part << "\nin:\n" << out;
    at = found + strlen(part);
  }
  EXPECT_EQ(at, out.size()) << out;
}

// A failed operation ends the step and the driver rolls it back; under -X
// the step goes past it and still writes its version.
TEST_P(Steps86To98Test, FailedOperationsWithAndWithoutContinue) {
  const struct {
    const char* name;
    int from;
    bool keep_going;
    int reports;  // "SQL query failed" reports printed
    int reached;
  } cases[] = {
      {"templates missing", 87, false, 1, 87},
      {"templates missing, -X", 87, true, 3, 88},
      {"metadata there already", 86, false, 1, 86},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (g_hDbConnection != nullptr) {
      DBDisconnect(g_hDbConnection);
      g_hDbConnection = nullptr;
      DBUnloadDriver();
    }
    db_.reset();
    db_ = GetParam().create(dir_);
    config_path_ = WriteFile("server.conf", db_->ConfigText());
    LoadFixture();
    std::string out;
    if (c.from == 87) {
      ASSERT_EQ(RunSteps(86, 87, &out), 87) << out;
      db_->Exec("DROP TABLE templates");
    } else {
      db_->Exec(
          "CREATE TABLE metadata (var_name varchar(63) not null,var_value "
          "varchar(255) not null,PRIMARY KEY(var_name));\n"
          "INSERT INTO metadata (var_name,var_value) VALUES "
          "('SchemaVersion','86')");
    }
    g_bContinueOnError = c.keep_going;
    EXPECT_EQ(RunSteps(c.from, c.from + 1, &out), c.reached) << out;
    EXPECT_EQ(Count(out, "SQL query failed ("), c.reports) << out;
    EXPECT_EQ(DBGetSchemaVersion(g_hDbConnection), c.reached);
    if (c.from == 87) {
      // MariaDB reports the statement in the form it was sent.
      EXPECT_TRUE(std::regex_search(
          out, std::regex("\\):\nALTER TABLE templates ADD (IF NOT EXISTS )?"
                          "enable_auto_apply integer\n")))
          << out;
    } else {
      // Nothing moved: the version row is still in config.
      EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                            "var_name='DBFormatVersion'"),
                "86");
    }
    g_bContinueOnError = 0;
  }
}

// With -X a move whose INSERT fails leaves its row in config; the others
// move, and the version is written into the row metadata already had.
TEST_P(Steps86To98Test, ContinueKeepsTheRowsThatCouldNotMove) {
  db_->Exec(
      "CREATE TABLE metadata (var_name varchar(63) not null,var_value "
      "varchar(255) not null,PRIMARY KEY(var_name));\n"
      "INSERT INTO metadata (var_name,var_value) VALUES "
      "('SchemaVersion','86')");
  LoadFixture();
  g_bContinueOnError = 1;
  std::string out;
  ASSERT_EQ(RunSteps(86, 87, &out), 87) << out;
  EXPECT_GE(Count(out, "SQL query failed ("), 1u) << out;
  EXPECT_NE(out.find("INSERT INTO metadata (var_name,var_value) VALUES "
                     "('SchemaVersion','86')\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(Version(), "87");
  EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                        "var_name='DBFormatVersion'"),
            "86");
  EXPECT_EQ(db_->Scalar("SELECT var_value FROM metadata WHERE "
                        "var_name='Syntax'"),
            SyntaxName(syntax()));
  EXPECT_EQ(
      db_->Scalar("SELECT COUNT(*) FROM config WHERE var_name='DBSyntax'"),
      "0");
}

// A step that fails after its DDL is rolled back and the run stops there;
// on MariaDB that DDL is already committed, so the next run must skip what
// is there and complete.
TEST_P(Steps86To98Test, RunStopsAtAFailedStepAndTheNextRunCompletes) {
  LoadFixture(false);
  db_->Exec(
      "INSERT INTO event_cfg (event_code,event_name,severity,flags,message,"
      "description) VALUES (52,'TAKEN',0,0,'#00','#00')");
  RunResult r = Run({"upgrade"});
  const std::string head = Banner() + std::string("Upgrading database...\n") +
                           StepLines(86, 89) + "SQL query failed (";
  const std::string tail =
      "):\nINSERT INTO event_cfg (event_code,event_name,severity,flags,"
      "message,description) VALUES (52,'SYS_DB_QUERY_FAILED',4,1,'Database "
      "query failed (Query: %1; Error: %2)','Generated when SQL query to "
      "backend database failed.#0D#0AParameters:#0D#0A   1) Query#0D#0A   2) "
      "Error message')\n"
      "Rolling back last stage due to upgrade errors...\n"
      "Database upgrade failed\n";
  EXPECT_EQ(r.out.rfind(head, 0), 0u) << r.out;
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail) << r.out;
  EXPECT_EQ(Count(r.out, "SQL query failed ("), 1u) << r.out;
  EXPECT_EQ(Version(), "88");
  // MariaDB has committed the columns with its DDL; the UPDATE after the
  // last DDL was rolled back with the step. Elsewhere nothing is left.
  std::vector<std::string> columns =
      Columns(db_.get(), syntax(), "cluster_resources");
  if (syntax() == SYNTAX_MYSQL) {
    EXPECT_EQ(columns.back(), "current_owner:int");
    EXPECT_EQ(db_->Scalar("SELECT current_owner FROM cluster_resources"),
              "<null>");
  } else {
    EXPECT_EQ(columns.back(), "ip_addr:text");
  }

  db_->Exec("DELETE FROM event_cfg WHERE event_code=52");
  r = Run({"upgrade"});
  EXPECT_EQ(r.out, Banner() + std::string("Upgrading database...\n") +
                       StepLines(88, 98) + "Database upgrade succeeded\n");
  EXPECT_EQ(Version(), "98");
  EXPECT_EQ(db_->Rows("SELECT enable_auto_bind,auto_bind_filter FROM "
                      "containers"),
            (Rows{{"0", "#00"}}));
  EXPECT_EQ(db_->Scalar("SELECT current_owner FROM cluster_resources"), "0");
  EXPECT_EQ(db_->Scalar("SELECT event_name FROM event_cfg WHERE "
                        "event_code=52"),
            "SYS_DB_QUERY_FAILED");
}

// -I and -M name the engine of the three new tables on MySQL and MariaDB
// only. MyISAM keys hold at most 1000 bytes, fewer than the key of
// userdb_custom_attributes needs in utf8mb4 (4 + 4 * 255 bytes), so a -M run
// stops at step 90 to 91 there and a run with -I completes it.
TEST_P(Steps86To98Test, TableOptionsNameTheEngineOnMysqlOnly) {
  LoadFixture(false);
  if (syntax() != SYNTAX_MYSQL) {
    RunResult r = Run({"-M", "upgrade"});
    EXPECT_NE(r.out.find("Database upgrade succeeded\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("ENGINE"), std::string::npos) << r.out;
    EXPECT_EQ(Version(), "98");
    return;
  }
  RunResult r = Run({"-M", "upgrade"});
  EXPECT_NE(r.out.find("Upgrading from version 90 to 91\nSQL query failed ("),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Database upgrade failed\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(Version(), "90");
  r = Run({"-I", "upgrade"});
  EXPECT_NE(r.out.find("Database upgrade succeeded\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(db_->Rows("SELECT table_name,engine FROM information_schema.tables "
                      "WHERE table_schema=database() AND table_name IN "
                      "('metadata','userdb_custom_attributes',"
                      "'usm_credentials') ORDER BY table_name"),
            (Rows{{"metadata", "MyISAM"},
                  {"userdb_custom_attributes", "InnoDB"},
                  {"usm_credentials", "InnoDB"}}));
}

INSTANTIATE_BACKEND_SUITE(Steps86To98Test);

}  // namespace
