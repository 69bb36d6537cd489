// The schema operations of the upgrade steps on every backend: scripts
// with failing lines, type markers and table options, server variables,
// the conversion of hash-escaped columns and the move into metadata.

#include "upgrade/schema_ops.h"

#include <gtest/gtest.h>

#include <string>

#include "front/globals.h"
#include "upgrade/upgrade_fixture.h"

namespace {

class SchemaOpsTest : public UpgradeTest {
 protected:
  // Runs op in this process and returns what it printed.
  template <typename Op>
  std::string Output(Op op) {
    ::testing::internal::CaptureStdout();
    op();
    fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
  }
};

TEST(SqlTypesTest, MarkersBecomeTheTypeNamesOfEachSyntax) {
  const struct {
    int syntax;
    const char* out;
  } cases[] = {
      {SYNTAX_MYSQL, "a text,b text,c bigint"},
      {SYNTAX_POSTGRESQL, "a varchar,b varchar,c bigint"},
      {SYNTAX_MSSQL, "a text,b text,c bigint"},
      {SYNTAX_ORACLE, "a clob,b clob,c number(20)"},
      {SYNTAX_SQLITE, "a varchar,b varchar,c number(20)"},
  };
  for (const auto& c : cases) {
    g_nDbSyntax = c.syntax;
    char text[] = "a $SQL:TEXT,b $SQL:TEXT,c $SQL:INT64";
    ReplaceTypeMarkers(text);
    EXPECT_STREQ(text, c.out) << c.syntax;
  }
  g_nDbSyntax = 0;
}

TEST_P(SchemaOpsTest, ScriptStopsAtAFailingLineUnlessContinuing) {
  db_->Exec("CREATE TABLE t (a integer)");
  ConnectInProcess();
  const char* script =
      "INSERT INTO t (a) VALUES (1)\n"
      "INSERT INTO no_such_table (a) VALUES (2)\n"
      "INSERT INTO t (a) VALUES (3)\n"
      "<END>";
  bool ok = true;
  std::string out = Output([&] { ok = RunScript(script); });
  EXPECT_FALSE(ok);
  EXPECT_EQ(db_->Rows("SELECT a FROM t ORDER BY a"),
            (std::vector<std::vector<std::string>>{{"1"}}));
  EXPECT_NE(out.find("SQL query failed ("), std::string::npos) << out;
  EXPECT_NE(out.find("\nINSERT INTO no_such_table (a) VALUES (2)\n"),
            std::string::npos)
      << out;

  db_->Exec("DELETE FROM t");
  g_bContinueOnError = 1;
  out = Output([&] { ok = RunScript(script); });
  EXPECT_TRUE(ok);
  EXPECT_EQ(db_->Rows("SELECT a FROM t ORDER BY a"),
            (std::vector<std::vector<std::string>>{{"1"}, {"3"}}));
  EXPECT_NE(out.find("SQL query failed ("), std::string::npos) << out;
}

TEST_P(SchemaOpsTest, ScriptOfOnlyEndAndTracing) {
  ConnectInProcess();
  g_bShowQueries = 1;
  bool ok = false;
  EXPECT_EQ(Output([&] { ok = RunScript("<END>"); }), "");
  EXPECT_TRUE(ok);
  std::string out = Output([&] {
    ok = RunScript(
        "CREATE TABLE t (a $SQL:TEXT)\nINSERT INTO t (a) VALUES "
        "('#00')\n<END>");
  });
  EXPECT_TRUE(ok);
  // Traced as sent: markers replaced, DDL in the form of the database.
  std::string create = syntax() == SYNTAX_MYSQL ? "CREATE TABLE t (a text)"
                                                : "CREATE TABLE t (a varchar)";
  EXPECT_EQ(out, ">>> " + create + "\n>>> INSERT INTO t (a) VALUES ('#00')\n");
}

TEST_P(SchemaOpsTest, AddTableReplacesMarkersAndAppendsOptionsOnMysqlOnly) {
  ConnectInProcess();
  g_bShowQueries = 1;
  g_pszTableOptions = " TYPE=InnoDB";
  bool ok = false;
  std::string out = Output([&] {
    ok = AddTable(
        "CREATE TABLE t (id $SQL:INT64 not null,a $SQL:TEXT,b $SQL:TEXT,"
        "PRIMARY KEY(id))");
  });
  EXPECT_TRUE(ok) << out;
  EXPECT_EQ(Columns("t"), (std::vector<std::string>{"id", "a", "b"}));
  std::string expected =
      syntax() == SYNTAX_MYSQL
          ? "CREATE TABLE t (id bigint not null,a text,b text,"
            "PRIMARY KEY(id)) ENGINE=InnoDB"
          : std::string("CREATE TABLE t (id ") +
                (syntax() == SYNTAX_SQLITE ? "number(20)" : "bigint") +
                " not null,a varchar,b varchar,PRIMARY KEY(id))";
  EXPECT_EQ(out, ">>> " + expected + "\n");
  // A 64-bit key fits.
  db_->Exec("INSERT INTO t (id,a,b) VALUES (5000000000,'x','y')");
}

TEST_P(SchemaOpsTest, TableOptionsGiveTheEngineOnMysql) {
  if (syntax() != SYNTAX_MYSQL) GTEST_SKIP() << "MySQL only";
  ConnectInProcess();
  const struct {
    const char* options;
    const char* table;
    const char* engine;
  } cases[] = {{" TYPE=InnoDB", "t_innodb", "InnoDB"},
               {" TYPE=MyISAM", "t_myisam", "MyISAM"}};
  for (const auto& c : cases) {
    g_pszTableOptions = c.options;
    ASSERT_TRUE(AddTable((std::string("CREATE TABLE ") + c.table +
                          " (id integer not null,PRIMARY KEY(id))")
                             .c_str()));
    EXPECT_EQ(db_->Scalar("SELECT engine FROM information_schema.tables WHERE "
                          "table_schema=DATABASE() AND table_name='" +
                          std::string(c.table) + "'"),
              c.engine);
  }
}

TEST_P(SchemaOpsTest, AddServerVariableAddsKeepsOrOverwrites) {
  CreateServerTables(80);
  db_->Exec(
      "INSERT INTO config (var_name,var_value,is_visible,need_server_restart) "
      "VALUES ('Kept','old',0,1)");
  ConnectInProcess();
  g_bShowQueries = 1;
  std::string out;
  // Present, no overwrite: only the silent test runs.
  out = Output([] { EXPECT_TRUE(AddServerVariable("Kept", "new", 1, 0, 0)); });
  EXPECT_EQ(out, "");
  EXPECT_EQ(ConfigRow("Kept"), (std::vector<std::string>{"old", "0", "1"}));
  // Present, overwrite: one UPDATE, the flags stay.
  out = Output([] { EXPECT_TRUE(AddServerVariable("Kept", "it's", 1, 0, 1)); });
  EXPECT_EQ(out,
            ">>> UPDATE config SET var_value='it#27s' WHERE var_name='Kept'\n");
  EXPECT_EQ(ConfigRow("Kept"), (std::vector<std::string>{"it#27s", "0", "1"}));
  // Absent: inserted with its flags, the value hash-escaped.
  EXPECT_TRUE(AddServerVariable("Added", "", 1, 1, 0));
  EXPECT_EQ(ConfigRow("Added"), (std::vector<std::string>{"#00", "1", "1"}));
}

TEST_P(SchemaOpsTest, ConvertEscapedColumnDecodesEveryRowInBatches) {
  db_->Exec(
      "CREATE TABLE ev (event_id bigint not null,msg varchar(255),PRIMARY "
      "KEY(event_id))");
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"-3", "it#27s"},          {"2", "back#5Cslash"},
      {"3", "line#0D#0Abreak"},  {"4", "plain"},
      {"6", "hash#23 stays#23"}, {"5000000000", "#00"},
      {"5000000001", "#22q#22"}, {"5000000002", "x#25y"},
  };
  for (const auto& r : rows) {
    db_->Exec("INSERT INTO ev (event_id,msg) VALUES (" + r.first + ",'" +
              r.second + "')");
  }
  db_->Exec("INSERT INTO ev (event_id,msg) VALUES (7,NULL)");
  ConnectInProcess();
  g_nConvertBatchRows = 2;
  g_bShowQueries = 1;
  bool ok = false;
  std::string out =
      Output([&] { ok = ConvertEscapedColumn("ev", "event_id", "msg"); });
  g_nConvertBatchRows = 1000;
  EXPECT_TRUE(ok) << out;
  EXPECT_EQ(db_->Rows("SELECT event_id,msg FROM ev ORDER BY event_id"),
            (std::vector<std::vector<std::string>>{
                {"-3", "it's"},
                {"2", "back\\slash"},
                {"3", "line\r\nbreak"},
                {"4", "plain"},
                {"6", "hash# stays#"},
                {"7", "<null>"},
                {"5000000000", ""},
                {"5000000001", "\"q\""},
                {"5000000002", "x%y"},
            }));
  EXPECT_NE(out.find(">>> UPDATE ev SET msg='' WHERE msg='#00'\n"),
            std::string::npos);
  EXPECT_NE(out.find(">>> SELECT event_id,msg FROM ev WHERE msg LIKE '%#%' "
                     "ORDER BY event_id LIMIT 2\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find(" AND event_id>6 ORDER BY event_id LIMIT 2\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("WHERE event_id=5000000002\n"), std::string::npos) << out;
}

TEST_P(SchemaOpsTest, ConvertEscapedColumnReportsAFailingUpdateInAList) {
  // Row 120 decodes to a value the table refuses; it sits in the middle of
  // the second list of updates sent in one round trip.
  for (int continue_on_error : {0, 1}) {
    SCOPED_TRACE(continue_on_error);
    TearDown();
    SetUp();
    db_->Exec(
        "CREATE TABLE ev (event_id integer not null,msg varchar(255),"
        "PRIMARY KEY(event_id),CHECK (msg<>'bad'))");
    std::string values;
    for (int id = 1; id <= 250; id++) {
      values += (values.empty() ? "(" : ",(") + std::to_string(id) + ",'" +
                (id == 120 ? "b#61d" : "v#41") + "')";
    }
    db_->Exec("INSERT INTO ev (event_id,msg) VALUES " + values);
    ConnectInProcess();
    g_bContinueOnError = continue_on_error;
    bool ok = true;
    std::string out =
        Output([&] { ok = ConvertEscapedColumn("ev", "event_id", "msg"); });
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("SQL query failed ("), std::string::npos) << out;
    EXPECT_NE(out.find("):\nUPDATE ev SET msg='bad' WHERE event_id=120\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(
        out.find("SQL query failed (", out.find("SQL query failed (") + 1),
        std::string::npos)
        << out;
    EXPECT_EQ(db_->Scalar("SELECT msg FROM ev WHERE event_id=120"), "b#61d");
    EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM ev WHERE event_id<120 AND "
                          "msg='vA'"),
              "119");
    // Without -X the conversion ends at the failing row; with it, it goes
    // on past it to the end of the table.
    EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM ev WHERE event_id>120 AND "
                          "msg='vA'"),
              continue_on_error ? "130" : "0");
  }
}

TEST_P(SchemaOpsTest, ConvertEscapedColumnStopsAtAFailure) {
  ConnectInProcess();
  bool ok = true;
  std::string out =
      Output([&] { ok = ConvertEscapedColumn("no_such", "id", "msg"); });
  EXPECT_FALSE(ok);
  EXPECT_NE(out.find("SQL query failed ("), std::string::npos);
}

TEST_P(SchemaOpsTest, MoveVariableToMetadata) {
  CreateServerTables(87);
  // 253 letters, a quote and two two-byte characters, hash-escaped: decoded
  // it has 256 characters, of which metadata keeps the first 255.
  std::string plain(253, 'a');
  plain += "'\xC3\xA9\xC3\xA9";
  std::string stored(253, 'a');
  stored += "#27#C3#A9#C3#A9";
  SetConfig("IDataTableCreationCommand", stored);
  SetConfig("Other", "x");
  ConnectInProcess();
  EXPECT_TRUE(MoveVariableToMetadata("Absent", "Absent"));
  EXPECT_TRUE(MoveVariableToMetadata("IDataTableCreationCommand",
                                     "IDataTableCreationCommand"));
  EXPECT_EQ(db_->Scalar("SELECT var_value FROM metadata WHERE "
                        "var_name='IDataTableCreationCommand'"),
            plain.substr(0, plain.size() - 2));
  EXPECT_TRUE(ConfigRow("IDataTableCreationCommand").empty());
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM metadata"), "2");
  EXPECT_EQ(ConfigRow("Other")[0], "x");
  // A failed insert (the name is there already) keeps the config row.
  SetConfig("Twice", "1");
  db_->Exec("INSERT INTO metadata (var_name,var_value) VALUES ('Twice','0')");
  std::string out =
      Output([] { EXPECT_FALSE(MoveVariableToMetadata("Twice", "Twice")); });
  EXPECT_NE(out.find("SQL query failed ("), std::string::npos);
  EXPECT_EQ(ConfigRow("Twice")[0], "1");
}

INSTANTIATE_BACKEND_SUITE(SchemaOpsTest);

}  // namespace
