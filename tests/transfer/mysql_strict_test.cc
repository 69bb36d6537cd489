// MySQL and MariaDB sessions run in strict mode whatever the server's
// global sql_mode says: a value that does not fit its column fails its
// statement instead of being cut or changed with a warning. The tests set
// the server's global mode, so they run on a MariaDB server of their own,
// which no other test sees.

#include <gtest/gtest.h>
#include <unistd.h>

#include "front/globals.h"
#include "support/backend_test.h"
#include "support/private_server.h"
#include "transfer/transfer_data.h"

namespace {

class MysqlStrictTest : public BackendTest {
 protected:
  // The fixture's database is made on the private server instead of the
  // shared one.
  void SetUp() override {
    if (GetParam().name != "mysql") GTEST_SKIP() << "MySQL sessions only";
    ASSERT_TRUE(PrivateServer::Installed("mysql"))
        << "the mysql backend is enabled, but the MariaDB server programs "
           "are not installed";
    server_ = PrivateServer::Start("mysql");
    ASSERT_NE(server_, nullptr);
    dir_ = MakeTempDir();
    db_ = server_->CreateDatabase();
    ASSERT_NE(db_->conn(), nullptr);
    config_path_ = WriteFile("server.conf", db_->ConfigText());
    db_->Exec("SET GLOBAL sql_mode=''");
  }
  void TearDown() override {
    BackendTest::TearDown();
    server_.reset();
  }

  std::unique_ptr<PrivateServer> server_;
};

TEST_P(MysqlStrictTest, ValuesThatDoNotFitFailInsteadOfBeingChanged) {
  db_->Exec("CREATE TABLE t (id integer, s varchar(5), b text)");
  const char* const statements[] = {
      "INSERT INTO t (id,s) VALUES (1,'toolong')",
      "INSERT INTO t (id,s) VALUES ('','ok')",
      "INSERT INTO t (id,s) VALUES (99999999999,'ok')",
      "INSERT INTO t (id,b) VALUES (2,REPEAT('x',70000))",
  };
  for (const char* statement : statements) {
    RunResult r =
        Run({"batch", WriteFile("b.sql", std::string(statement) + ";\n")});
    EXPECT_NE(r.out.find(std::string("SQL query failed (")), std::string::npos)
        << statement << "\n"
        << r.out;
    EXPECT_NE(r.out.find(std::string("):\n") + statement + "\n"),
              std::string::npos)
        << r.out;
  }
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM t"), "0");
}

TEST_P(MysqlStrictTest, ImportOfATextTooLongFailsItsTable) {
  InitShipped(config_path_, syntax());
  std::string file = dir_ + "/export.db";
  ASSERT_NE(Run({"export", file}).out.find("Database export complete.\n"),
            std::string::npos);
  ExecOnFile(file,
             "INSERT INTO config_clob (var_name,var_value) VALUES "
             "('Big',replace(hex(zeroblob(524288)),'0','x'))");
  RunResult r = Run({"-f", "import", file});
  EXPECT_NE(r.out.find("Data too long for column 'var_value'"),
            std::string::npos)
      << r.out.substr(0, 2000);
  EXPECT_NE(r.out.find("\nERROR: SQL query \"SELECT * FROM config_clob\" on "
                       "import file failed (query aborted)\nDatabase import "
                       "failed.\n"),
            std::string::npos);
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM config_clob"), "0");
  EXPECT_NE(db_->Scalar("SELECT count(*) FROM config"), "0");
}

TEST_P(MysqlStrictTest, SessionKeepsTheServerModesAndWaitsForSlowReaders) {
  db_->Exec("SET GLOBAL sql_mode='NO_BACKSLASH_ESCAPES'");
  ConnectInProcess();
  db_result_t result =
      DBSelect(g_hDbConnection,
               "SELECT @@SESSION.sql_mode, @@SESSION.net_write_timeout");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(DBGetFieldString(result, 0, 0),
            "NO_BACKSLASH_ESCAPES,STRICT_ALL_TABLES");
  EXPECT_EQ(DBGetFieldString(result, 0, 1), "3600");
  DBFreeResult(result);
}

TEST_P(MysqlStrictTest, AReaderDroppedByTheServerSeesAnError) {
  db_->Exec("CREATE TABLE t (s longtext)");
  for (int i = 0; i < 40; i++) {
    db_->Exec("INSERT INTO t (s) VALUES (REPEAT('x', 1000000))");
  }
  ConnectInProcess();
  ASSERT_TRUE(DBQuery(g_hDbConnection, "SET SESSION net_write_timeout=1"));
  db_async_result_t rows =
      DBAsyncSelectEx(g_hDbConnection, "SELECT s FROM t", nullptr);
  ASSERT_NE(rows, nullptr);
  ASSERT_TRUE(DBFetch(rows));
  // Longer than the server waits for a reader that takes nothing.
  sleep(4);
  int count = 1;
  while (DBFetch(rows)) count++;
  // Either every row arrived or the end says why it came early.
  EXPECT_TRUE(count == 40 || DBGetAsyncError(rows) != nullptr) << count;
  DBFreeAsyncResult(g_hDbConnection, rows);
}

INSTANTIATE_BACKEND_SUITE(MysqlStrictTest);

}  // namespace
