// Export and import where something is wrong: the file, the database, the
// operator's answer or one table. Each case checks the exact messages and
// what the database and the file hold afterwards.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "transfer/core_tables.h"
#include "transfer/transfer_data.h"

namespace {

const char kWarning[] =
    "\n\nWARNING!!!\nThis operation will clear all configuration and "
    "collected data from database.\nAre you sure (y/N)?";

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class TransferFailureTest : public BackendTest {
 protected:
  // A version-98 database with hard values and its export file.
  void Prepare() {
    InitShipped(config_path_, syntax());
    FillHardValues(db_.get(), 1000);
    if (HasFailure()) return;
    file_ = dir_ + "/export.db";
    RunResult r = Run({"export", file_});
    ASSERT_NE(r.out.find("Database export complete.\n"), std::string::npos)
        << r.out;
  }

  std::string Count(const std::string& table) {
    return db_->Scalar("SELECT count(*) FROM " + table);
  }

  std::string file_;
};

TEST_P(TransferFailureTest, ImportRefusesAFileItCannotUse) {
  Prepare();
  Snapshot before = TakeSnapshot(db_.get());
  std::string text_file = WriteFile("notes.txt", "not a database\n");
  std::string old_file = dir_ + "/old.db";
  {
    std::ifstream src(file_, std::ios::binary);
    std::ofstream(old_file, std::ios::binary) << src.rdbuf();
  }
  ExecOnFile(old_file,
             "UPDATE metadata SET var_value='97' WHERE "
             "var_name='SchemaVersion'");
  // A core table replaced by a view that computes rows without end.
  std::string view_file = dir_ + "/view.db";
  {
    std::ifstream src(file_, std::ios::binary);
    std::ofstream(view_file, std::ios::binary) << src.rdbuf();
  }
  ExecOnFile(view_file,
             "DROP TABLE config_clob;\nCREATE VIEW config_clob AS WITH "
             "RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) "
             "SELECT 'v'||x AS var_name, 'x' AS var_value FROM c");
  const struct {
    const char* name;
    std::string path;
    std::string out;
  } cases[] = {
      {"no such file", dir_ + "/absent.db",
       "ERROR: unable to open output file\nDatabase import failed.\n"},
      {"not an SQLite database", text_file,
       "ERROR: unable to open output file\nDatabase import failed.\n"},
      {"a view in place of a table", view_file,
       "ERROR: unable to open output file\nDatabase import failed.\n"},
      {"another version", old_file,
       "ERROR: Import file was created for database format version 97, but "
       "this tool was compiled for database format version 98\n"
       "Database import failed.\n"},
  };
  for (const auto& c : cases) {
    std::string content = Exists(c.path) ? ReadFileText(c.path) : "";
    RunResult r = Run({"-f", "import", c.path});
    EXPECT_EQ(r.out, Banner() + c.out) << c.name;
    EXPECT_EQ(Exists(c.path) ? ReadFileText(c.path) : "", content) << c.name;
  }
  EXPECT_FALSE(Exists(dir_ + "/absent.db"));
  EXPECT_EQ(FirstDifference(before, TakeSnapshot(db_.get())), "");
}

TEST_P(TransferFailureTest, ImportLeavesARefusedDatabaseUntouched) {
  Prepare();
  Snapshot before = TakeSnapshot(db_.get());
  // Declined.
  RunResult r = Run({"import", file_}, "n");
  EXPECT_EQ(r.out,
            Banner() + std::string(kWarning) + "N\nDatabase import failed.\n");
  // Locked: no question.
  SetConfig("DBLockStatus", "srv1");
  r = Run({"import", file_}, "y");
  EXPECT_EQ(r.out, Banner() + std::string("Database is locked by server srv1 "
                                          "[]\nDatabase import failed.\n"));
  db_->Exec("DELETE FROM config WHERE var_name='DBLockStatus'");
  // Another version.
  db_->Exec(
      "UPDATE metadata SET var_value='97' WHERE var_name='SchemaVersion'");
  r = Run({"import", file_}, "y");
  EXPECT_EQ(r.out,
            Banner() + std::string("Your database has format version 97, this "
                                   "tool is compiled for version 98.\nUse "
                                   "\"upgrade\" command to upgrade your "
                                   "database first.\nDatabase import "
                                   "failed.\n"));
  r = Run({"export", dir_ + "/x.db"});
  EXPECT_EQ(r.out, Banner() + std::string("Your database has format version "
                                          "97, this tool is compiled for "
                                          "version 98.\nUse \"upgrade\" "
                                          "command to upgrade your database "
                                          "first.\n"));
  EXPECT_FALSE(Exists(dir_ + "/x.db"));
  db_->Exec(
      "UPDATE metadata SET var_value='98' WHERE var_name='SchemaVersion'");
  EXPECT_EQ(FirstDifference(before, TakeSnapshot(db_.get())), "");
}

TEST_P(TransferFailureTest, ImportRefusesBeforeClearingAFileThatCannotLoad) {
  Prepare();
  Snapshot before = TakeSnapshot(db_.get());
  const std::string create = db_->Scalar(
      "SELECT var_value FROM metadata WHERE "
      "var_name='IDataTableCreationCommand'");
  const std::string index = db_->Scalar(
      "SELECT var_value FROM metadata WHERE "
      "var_name='IDataIndexCreationCommand_1'");
  // Each case changes a copy of the file or the database's metadata (put
  // back afterwards); none may lead to the clearing question.
  const struct {
    const char* name;
    const char* file_sql;      // run on the copy of the file
    const char* metadata_sql;  // run on the database
    const char* message;
  } cases[] = {
      {"a node without its per-node table in the file", "DROP TABLE idata_12",
       nullptr,
       "ERROR: table idata_12 of node 12 is missing from the import file\n"},
      {"a column name that is not an identifier",
       "ALTER TABLE zones ADD COLUMN \"x\"\"); DROP TABLE users; --\" "
       "integer",
       nullptr,
       "ERROR: column name \"x\"); DROP TABLE users; --\" of table zones in "
       "the import file is not a plain identifier\n"},
      {"a column name with a control character",
       "ALTER TABLE idata_11 ADD COLUMN \"a\nb\" integer", nullptr,
       "ERROR: column name \"a\\x0ab\" of table idata_11 in the import file "
       "is not a plain identifier\n"},
      {"a column that the database's table lacks",
       "ALTER TABLE zones ADD COLUMN bogus integer", nullptr,
       "ERROR: table zones of the database has no column \"bogus\" of the "
       "import file\n"},
      {"a column that the per-node tables lack",
       "ALTER TABLE idata_2147483647 ADD COLUMN extra integer", nullptr,
       "ERROR: the per-node tables that IDataTableCreationCommand makes have "
       "no column \"extra\" of table idata_2147483647 in the import file\n"},
      {"a core table missing from the file", "DROP TABLE alarm_notes", nullptr,
       "ERROR: table alarm_notes is missing from the import file\n"},
      {"a database without IDataTableCreationCommand", nullptr,
       "DELETE FROM metadata WHERE var_name='IDataTableCreationCommand'",
       "ERROR: unable to determine correct query for idata tables "
       "creation\n"},
      {"a creation command that makes no per-node table", nullptr,
       "UPDATE metadata SET var_value='CREATE TABLE other_%d (a integer)' "
       "WHERE var_name='IDataTableCreationCommand'",
       "ERROR: IDataTableCreationCommand \"CREATE TABLE other_%d (a "
       "integer)\" does not create a table idata_<id> with a list of its "
       "columns\n"},
      {"a broken per-node index format", nullptr,
       "UPDATE metadata SET var_value='CREATE INDEX i_%d ON idata_%s(item_id)' "
       "WHERE var_name='IDataIndexCreationCommand_1'",
       "ERROR: IDataIndexCreationCommand_1 \"CREATE INDEX i_%d ON "
       "idata_%s(item_id)\" is not a valid statement format\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir_ + "/case.db";
    {
      std::ifstream src(file_, std::ios::binary);
      std::ofstream(path, std::ios::binary) << src.rdbuf();
    }
    if (c.file_sql != nullptr) ExecOnFile(path, c.file_sql);
    if (c.metadata_sql != nullptr) db_->Exec(c.metadata_sql);
    RunResult r = Run({"-f", "import", path});
    EXPECT_EQ(r.out,
              Banner() + std::string(c.message) + "Database import failed.\n");
    db_->Exec(
        "DELETE FROM metadata WHERE var_name IN "
        "('IDataTableCreationCommand','IDataIndexCreationCommand_1')");
    db_->Exec(
        "INSERT INTO metadata (var_name,var_value) VALUES "
        "('IDataTableCreationCommand'," +
        db_->conn()->Quote(create) + "),('IDataIndexCreationCommand_1'," +
        db_->conn()->Quote(index) + ")");
    EXPECT_EQ(FirstDifference(before, TakeSnapshot(db_.get())), "");
  }
  // The file itself still imports with the plain lines (see
  // SuccessfulRunsPrintThePlainLines).
  RunResult r = Run({"-f", "import", file_});
  EXPECT_NE(r.out.find("Database import complete.\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(FirstDifference(before, TakeSnapshot(db_.get())), "");
}

TEST_P(TransferFailureTest, ARefusedRowIsReportedWithItsStatement) {
  Prepare();
  // The file's table loses its key, so that it can hold a second 'k2',
  // which the database's key refuses.
  ExecOnFile(file_,
             "CREATE TABLE c2 AS SELECT * FROM config;\n"
             "DROP TABLE config;\n"
             "ALTER TABLE c2 RENAME TO config;\n"
             "INSERT INTO config (var_name,var_value,is_visible,"
             "need_server_restart) VALUES ('k2','it''s',1,0)");
  for (bool trace : {false, true}) {
    std::vector<std::string> args = {"-f", "import", file_};
    if (trace) args.insert(args.begin(), "-t");
    RunResult r = Run(args);
    std::string statement =
        "INSERT INTO config (var_name,var_value,is_visible,"
        "need_server_restart) VALUES ('k2'," +
        db_->conn()->Quote("it's") + ",'1','0')";
    size_t report = r.out.find("SQL query failed (");
    ASSERT_NE(report, std::string::npos) << r.out.substr(0, 3000);
    EXPECT_NE(r.out.find("):\n" + statement +
                             "\nERROR: SQL query \"SELECT * "
                             "FROM config\" on import file failed (query "
                             "aborted)\nDatabase import failed.\n",
                         report),
              std::string::npos)
        << r.out.substr(report, 3000);
    if (trace) {
      // Every row before it was echoed as its own statement.
      EXPECT_NE(r.out.find(">>> " + statement + "\n"), std::string::npos);
      EXPECT_NE(r.out.find(">>> INSERT INTO config (var_name,var_value,"
                           "is_visible,need_server_restart) VALUES ('k2',"),
                std::string::npos);
    }
    EXPECT_EQ(Count("config"), "0") << "nothing of the table is committed";
  }
}

TEST_P(TransferFailureTest, AValueWithANulByteArrivesWholeOrFailsItsTable) {
  Prepare();
  ExecOnFile(file_,
             "UPDATE config SET var_value='a'||char(0)||'b' WHERE "
             "var_name=(SELECT min(var_name) FROM config)");
  std::string name = FileScalar(file_, "SELECT min(var_name) FROM config");
  for (bool trace : {false, true}) {
    SCOPED_TRACE(trace ? "row by row (-t)" : "bulk path");
    std::vector<std::string> args = {"-f", "import", file_};
    if (trace) args.insert(args.begin(), "-t");
    RunResult r = Run(args);
    // The bulk paths of SQLite and MySQL bind the value with its length.
    std::string backend = GetParam().name;
    if (!trace && (backend == "sqlite" || backend == "mysql")) {
      EXPECT_NE(r.out.find("Database import complete.\n"), std::string::npos)
          << r.out.substr(0, 3000);
      EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE var_name='" +
                            name + "'"),
                std::string("a\0b", 3));
      // And it goes back into a file whole.
      std::string again = dir_ + "/nul.db";
      RunResult e = Run({"export", again});
      EXPECT_NE(e.out.find("Database export complete.\n"), std::string::npos);
      EXPECT_EQ(FileScalar(again,
                           "SELECT hex(var_value) FROM config WHERE "
                           "var_name='" +
                               name + "'"),
                "610062");
      continue;
    }
    // PostgreSQL cannot hold the byte, ODBC drivers may cut it, and the
    // text of a statement cannot carry it: the table fails, whole.
    EXPECT_NE(r.out.find("Importing table config\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nERROR: value of column "
                         "var_value in table config holds a NUL byte, which "
                         "an SQL statement cannot carry\nERROR: SQL query "
                         "\"SELECT * FROM config\" on import file failed "
                         "(query aborted)\nDatabase import failed.\n"),
              std::string::npos)
        << r.out.substr(0, 3000);
    EXPECT_EQ(Count("config"), "0");
  }
}

TEST_P(TransferFailureTest, ExportFailures) {
  Prepare();
  RunResult r = Run({"export", dir_ + "/no/such/dir/x.db"});
  EXPECT_EQ(r.out, Banner() + std::string("ERROR: unable to open output "
                                          "file\n"));
  db_->Exec("DROP TABLE idata_12");
  std::string path = dir_ + "/partial.db";
  r = Run({"export", path});
  size_t report = r.out.find("Exporting table idata_12\nSQL query failed (");
  ASSERT_NE(report, std::string::npos) << r.out;
  EXPECT_NE(r.out.find("):\nSELECT * FROM idata_12\nDatabase export failed.\n",
                       report),
            std::string::npos)
      << r.out;
  // The tables before it are complete in the file; the failed one is empty.
  EXPECT_EQ(FileScalar(path, "SELECT count(*) FROM nodes"), "3");
  EXPECT_EQ(FileScalar(path, "SELECT count(*) FROM idata_11"), "3");
  EXPECT_EQ(FileScalar(path, "SELECT count(*) FROM idata_12"), "0");
}

TEST_P(TransferFailureTest, ExportStopsAtARowTheFileRefuses) {
  Prepare();
  // The database's config loses its key and gets thousands of rows, one of
  // them a second 'x4000': the file's key refuses it while the source is
  // still being read ahead.
  db_->Exec("CREATE TABLE c2 AS SELECT * FROM config");
  db_->Exec("DROP TABLE config");
  db_->Exec("ALTER TABLE c2 RENAME TO config");
  for (int chunk = 0; chunk < 10; chunk++) {
    std::string insert =
        "INSERT INTO config (var_name,var_value,is_visible,"
        "need_server_restart) VALUES ";
    for (int i = 1; i <= 500; i++) {
      insert += (i > 1 ? "," : "") + std::string("('x") +
                std::to_string(chunk * 500 + i) + "','v',1,0)";
    }
    db_->Exec(insert);
  }
  db_->Exec(
      "INSERT INTO config (var_name,var_value,is_visible,need_server_restart) "
      "VALUES ('x4000','v',1,0)");
  std::string path = dir_ + "/refused.db";
  RunResult r = Run({"export", path});
  ASSERT_FALSE(r.timed_out);
  std::string report =
      "Exporting table config\nERROR: SQLite query failed: UNIQUE constraint "
      "failed: config.var_name\n   Query: INSERT INTO config (\"var_name\","
      "\"var_value\",\"is_visible\",\"need_server_restart\") VALUES "
      "('x4000','v',";
  size_t at = r.out.find(report);
  ASSERT_NE(at, std::string::npos) << r.out;
  EXPECT_NE(r.out.find(")\nDatabase export failed.\n", at), std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("Exporting table config_clob"), std::string::npos);
  EXPECT_EQ(FileScalar(path, "SELECT count(*) FROM config"), "0");
}

TEST_P(TransferFailureTest, ClearingDropsEveryPerNodeTableItHolds) {
  Prepare();
  // A listed node whose table is gone (what a cut-off import leaves), a
  // table of a node that nodes no longer lists (what check -f leaves), and
  // a table whose name only looks like one.
  db_->Exec("DROP TABLE idata_12");
  db_->Exec(
      "CREATE TABLE idata_999 (item_id integer not null,idata_timestamp "
      "integer not null,idata_value varchar(255))");
  db_->Exec("CREATE TABLE idata_old (item_id integer)");
  db_->Exec("INSERT INTO idata_999 (item_id,idata_timestamp) VALUES (1,2)");
  RunResult r = Run({"-f", "import", file_});
  std::string expected =
      Banner() + std::string(kWarning) + "Y\nDatabase successfully cleared\n";
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    expected += std::string("Importing table ") + g_apszCoreTables[i] + "\n";
  }
  for (const auto& row : db_->Rows("SELECT id FROM nodes")) {
    expected += "Importing table idata_" + row[0] + "\n";
  }
  EXPECT_EQ(r.out, expected + "Database import complete.\n");
  EXPECT_FALSE(db_->TableExists("idata_999"));
  EXPECT_TRUE(db_->TableExists("idata_old"));
  EXPECT_EQ(FirstDifference(TakeFileSnapshot(file_), TakeSnapshot(db_.get())),
            "");
}

TEST_P(TransferFailureTest, ClearingStopsAtADropThatFailsUnlessToldToGoOn) {
  // Something the database will not drop a table under: a view on
  // PostgreSQL, a foreign key on MySQL. SQLite drops a table under both.
  const char* holder = syntax() == SYNTAX_POSTGRESQL
                           ? "CREATE VIEW keeps_idata_12 AS SELECT * FROM "
                             "idata_12"
                       : syntax() == SYNTAX_MYSQL
                           ? "CREATE INDEX keeps_item ON idata_12(item_id);\n"
                             "CREATE TABLE keeps_idata_12 (item_id integer, "
                             "FOREIGN KEY (item_id) REFERENCES "
                             "idata_12(item_id)) ENGINE=InnoDB"
                           : nullptr;
  if (holder == nullptr) GTEST_SKIP() << "SQLite drops every table";
  Prepare();
  db_->Exec(holder);
  RunResult r = Run({"-f", "import", file_});
  size_t report = r.out.find("Y\nSQL query failed (");
  ASSERT_NE(report, std::string::npos) << r.out;
  EXPECT_NE(
      r.out.find("):\nDROP TABLE idata_12\nDatabase import failed.\n", report),
      std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("Importing table"), std::string::npos);
  EXPECT_EQ(Count("nodes"), "3");
  EXPECT_EQ(Count("zones"), "3");
  EXPECT_EQ(Count("idata_12"), "3");

  // -X goes past it and clears the rest; the table it could not drop then
  // stands in the way of the import's own.
  r = Run({"-f", "-X", "import", file_});
  EXPECT_NE(r.out.find("):\nDROP TABLE idata_12\nDatabase successfully "
                       "cleared\nImporting table config\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\nCREATE TABLE idata_12 "), std::string::npos);
  EXPECT_TRUE(EndsWith(r.out, "\nDatabase import failed.\n")) << r.out;
  EXPECT_EQ(Count("zones"), "3");
}

TEST_P(TransferFailureTest, ExportThatRunsOutOfRoomSaysSo) {
  Prepare();
  struct stat st;
  ASSERT_EQ(stat(file_.c_str(), &st), 0);
  // Far more than the page cache holds, so that SQLite writes while the
  // rows arrive; the file may grow by little more than the first export's
  // size.
  FillManyRows(db_.get(), 2000, 1, 12000);
  long limit_kib = static_cast<long>(st.st_size / 1024) + 256;
  std::string path = dir_ + "/full.db";
  RunResult r =
      RunProgram("/bin/bash",
                 {"-c",
                  "trap '' XFSZ; ulimit -f " + std::to_string(limit_kib) +
                      "; exec \"$0\" -c \"$1\" export \"$2\"",
                  SchemonPath(), config_path_, path},
                 "");
  EXPECT_NE(r.out.find("Exporting table config_clob\nERROR: SQLite query "
                       "failed: disk I/O error\n   Query: INSERT INTO "
                       "config_clob (\"var_name\",\"var_value\") VALUES ("),
            std::string::npos)
      << r.out.substr(0, 3000);
  EXPECT_TRUE(EndsWith(r.out, "')\nDatabase export failed.\n"))
      << r.out.substr(r.out.size() > 300 ? r.out.size() - 300 : 0);
  EXPECT_EQ(r.out.find("rollback"), std::string::npos);
  EXPECT_EQ(r.out.find("Exporting table users"), std::string::npos);
  // The tables before it are complete.
  EXPECT_EQ(FileScalar(path, "SELECT count(*) FROM config"), Count("config"));
}

TEST_P(TransferFailureTest, SuccessfulRunsPrintThePlainLines) {
  Prepare();
  RunResult r = Run({"-f", "import", file_});
  std::string expected =
      Banner() + std::string(kWarning) + "Y\nDatabase successfully cleared\n";
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    expected += std::string("Importing table ") + g_apszCoreTables[i] + "\n";
  }
  std::string nodes;
  for (const auto& row : db_->Rows("SELECT id FROM nodes")) {
    nodes += "Importing table idata_" + row[0] + "\n";
  }
  EXPECT_EQ(r.out, expected + nodes + "Database import complete.\n");
  std::string again = dir_ + "/again.db";
  r = Run({"export", again});
  expected = Banner();
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    expected += std::string("Exporting table ") + g_apszCoreTables[i] + "\n";
  }
  for (const auto& row : db_->Rows("SELECT id FROM nodes")) {
    expected += "Exporting table idata_" + row[0] + "\n";
  }
  EXPECT_EQ(r.out, expected + "Database export complete.\n");
}

INSTANTIATE_BACKEND_SUITE(TransferFailureTest);

}  // namespace
