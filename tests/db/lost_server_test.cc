// The database server goes away while a command runs: PostgreSQL stopped
// with "-m immediate", MariaDB killed. Each of import, export, check -f and
// upgrade must end within ten seconds with its failure line and the
// driver's text (printed once), and the next run after the server is back
// must do what it should. The servers are private to the test: the shared
// ones stay up for the tests running beside it.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "support/child_process.h"
#include "support/private_server.h"
#include "transfer/transfer_data.h"
#include "upgrade/schema_ops.h"

namespace {

// Fragments of the texts in which each client library says the server is
// gone. psqlODBC may give only its own text for the statement it could not
// guard.
const char* const kPgsqlLostTexts[] = {
    "server closed the connection unexpectedly",
    "terminating connection due to",
    "could not receive data from server",
    "could not send data to server",
    "no connection to the server",
    "internal SAVEPOINT failed",
    "The connection has been lost",
    "unable due to the connection lost",
    "Communication Error",
    "communication down",
};
const char* const kMysqlLostTexts[] = {
    "Lost connection to server during query",
    "Server has gone away",
};

// The end of a long output, for failure messages.
std::string Tail(const std::string& text) {
  return text.size() > 3000 ? "..." + text.substr(text.size() - 3000) : text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The members are public for the cases of the table below, which reach the
// fixture through a pointer.
class LostServerTest : public BackendTest {
 public:
  using BackendTest::config_path_;
  using BackendTest::db_;
  using BackendTest::dir_;
  using BackendTest::Run;
  using BackendTest::syntax;

  void SetUp() override {
    const std::string& backend = GetParam().name;
    if (backend != "pgsql" && backend != "mysql" && backend != "odbc_pgsql") {
      GTEST_SKIP() << "a server backend of its own";
    }
    server_backend_ = backend == "mysql" ? "mysql" : "pgsql";
    if (!PrivateServer::Installed(server_backend_)) {
      GTEST_SKIP() << "the " << server_backend_
                   << " server programs are not installed";
    }
    dir_ = MakeTempDir();
    server_ = PrivateServer::Start(server_backend_);
    ASSERT_NE(server_, nullptr);
  }

  void TearDown() override {
    BackendTest::TearDown();
    server_.reset();
  }

  // Makes a new database on the private server, with the tool's
  // configuration. Returns false when it cannot.
  bool NewDatabase() {
    db_.reset();
    db_ = server_->CreateDatabase(GetParam().name == "odbc_pgsql");
    if (db_->conn() == nullptr) return false;
    config_path_ = WriteFile("server.conf", db_->ConfigText());
    return true;
  }

  // "FROM <n rows numbered x from 1>" in the server's dialect.
  std::string Numbers(int n) {
    return syntax() == SYNTAX_MYSQL
               ? " FROM (SELECT seq AS x FROM seq_1_to_" + std::to_string(n) +
                     ") s"
               : " FROM generate_series(1," + std::to_string(n) + ") s(x)";
  }
  // The texts given concatenated, in the server's dialect.
  std::string Concat(const std::string& a, const std::string& b) {
    return syntax() == SYNTAX_MYSQL ? "CONCAT(" + a + "," + b + ")"
                                    : "(" + a + "||" + b + ")";
  }

  // Runs schemon with args, takes the server away once marker has shown in
  // the output and delay_ms more have passed, and returns the output.
  // Expects the run to end within ten seconds of the server's going, with
  // the client library's text of the loss, once, and failure_line last.
  std::string RunAndTakeServerAway(const std::vector<std::string>& args,
                                   const std::string& marker, int delay_ms,
                                   const std::string& failure_line) {
    ChildProcess child;
    std::vector<std::string> full = {"-c", config_path_};
    full.insert(full.end(), args.begin(), args.end());
    EXPECT_TRUE(child.Start(SchemonPath(), full));
    EXPECT_TRUE(child.WaitForOutput(marker, 120000))
        << "no \"" << marker << "\" in:\n"
        << child.out().substr(0, 4000);
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    EXPECT_TRUE(server_->Kill());
    auto gone = std::chrono::steady_clock::now();
    EXPECT_TRUE(child.Wait(10000))
        << "still running ten seconds after the server went away";
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - gone)
            .count();
    std::string command;
    for (const std::string& arg : args) command += " " + arg;
    printf("schemon%s ended %.2f s after the server went away\n",
           command.c_str(), seconds);
    std::string out = child.out();
    EXPECT_TRUE(EndsWith(out, failure_line)) << Tail(out);
    // One report after the marker carries the library's text: a failed
    // statement's ("SQL query failed (...)") or the command's own message
    // with the text below it ("ERROR: ..."); the import's line for the
    // file's query that the failed row stopped is none.
    std::string after = out.substr(out.find(marker) + marker.size());
    size_t reports = 0;
    for (size_t at = 0; at < after.size(); at = after.find('\n', at) + 1) {
      std::string line = after.substr(at, after.find('\n', at) - at);
      if (line.rfind("SQL query failed (", 0) == 0 ||
          (line.rfind("ERROR: ", 0) == 0 &&
           line.find(" on import file failed (query aborted)") ==
               std::string::npos)) {
        reports++;
      }
      if (after.find('\n', at) == std::string::npos) break;
    }
    EXPECT_EQ(reports, 1u) << Tail(out);
    bool text = false;
    const bool pgsql = server_backend_ == "pgsql";
    for (const char* part :
         pgsql ? std::vector<const char*>(std::begin(kPgsqlLostTexts),
                                          std::end(kPgsqlLostTexts))
               : std::vector<const char*>(std::begin(kMysqlLostTexts),
                                          std::end(kMysqlLostTexts))) {
      text = text || after.find(part) != std::string::npos;
    }
    EXPECT_TRUE(text) << "the driver's text is missing:\n" << Tail(out);
    EXPECT_TRUE(server_->Restart());
    EXPECT_TRUE(db_->Reconnect());
    return out;
  }

  std::string server_backend_;  // "pgsql" or "mysql"
  std::unique_ptr<PrivateServer> server_;
};

TEST_P(LostServerTest, EachCommandEndsAtOnceAndTheRerunDoesItsWork) {
  const struct {
    const char* command;
    std::function<void(LostServerTest*)> run;
  } cases[] = {
      {"import",
       [](LostServerTest* t) {
         // A file whose first per-node table is long enough to be cut
         // off while its rows arrive.
         ASSERT_TRUE(t->NewDatabase());
         InitShipped(t->config_path_, t->syntax());
         FillHardValues(t->db_.get(), 1000);
         std::string file = t->dir_ + "/export.db";
         ASSERT_NE(RunWith(t->config_path_, {"export", file})
                       .out.find("Database export complete.\n"),
                   std::string::npos);
         ExecOnFile(file,
                    "INSERT INTO idata_11 (item_id,idata_timestamp,"
                    "idata_value) WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
                    "SELECT x+1 FROM n WHERE x<400000) SELECT x%50,x,'v'||x "
                    "FROM n");
         std::string out = t->RunAndTakeServerAway(
             {"-f", "import", file}, "Importing table idata_11\n", 300,
             "\nDatabase import failed.\n");
         size_t last = out.find("Importing table idata_11\n");
         EXPECT_EQ(out.find("Importing table", last + 1), std::string::npos)
             << out.substr(last);
         // The rerun clears what the cut-off run left (nodes listed, their
         // tables partly missing) and loads the file whole.
         RunResult r = t->Run({"-f", "import", file});
         EXPECT_TRUE(EndsWith(r.out, "\nDatabase import complete.\n"))
             << r.out.substr(0, 4000);
         EXPECT_EQ(r.out.find("SQL query failed"), std::string::npos);
         EXPECT_EQ(FirstDifference(TakeFileSnapshot(file),
                                   TakeSnapshot(t->db_.get())),
                   "");
       }},
      {"export",
       [](LostServerTest* t) {
         ASSERT_TRUE(t->NewDatabase());
         InitShipped(t->config_path_, t->syntax());
         FillHardValues(t->db_.get(), 1000);
         t->db_->Exec(
             "INSERT INTO idata_11 (item_id,idata_timestamp,idata_value) "
             "SELECT x%50,x," +
             t->Concat("'v'", "x") + t->Numbers(1000000));
         std::string file = t->dir_ + "/export.db";
         t->RunAndTakeServerAway({"export", file}, "Exporting table idata_11\n",
                                 200, "\nDatabase export failed.\n");
         RunResult r = t->Run({"export", file});
         EXPECT_TRUE(EndsWith(r.out, "\nDatabase export complete.\n"))
             << r.out.substr(0, 4000);
         EXPECT_EQ(FileScalar(file, "SELECT count(*) FROM idata_11"),
                   t->db_->Scalar("SELECT count(*) FROM idata_11"));
       }},
      {"check",
       [](LostServerTest* t) {
         // Twenty thousand objects without a timestamp: stage 6 repairs
         // them one by one.
         ASSERT_TRUE(t->NewDatabase());
         InitShipped(t->config_path_, t->syntax());
         t->db_->Exec(
             "INSERT INTO object_properties (object_id,name,status,"
             "is_deleted,inherit_access_rights,last_modified,status_calc_alg,"
             "status_prop_alg,status_fixed_val,status_shift,"
             "status_translation,status_single_threshold,status_thresholds,"
             "comments) SELECT 100000+x," +
             t->Concat("'o'", "x") +
             ",0,0,1,0,0,0,0,0,'00000000',0,'00000000','#00'" +
             t->Numbers(20000));
         std::string report = t->Run({"check"}).out;
         ASSERT_NE(report.find("20000 errors was found, 0 errors was "
                               "corrected\n"),
                   std::string::npos)
             << report.substr(0, 2000);
         std::string out = t->RunAndTakeServerAway(
             {"-f", "check"}, "has invalid timestamp. Correct? (Y/N) Y\n", 300,
             "\n* " + std::string("Checking object properties...") +
                 std::string(68 - 29, ' ') +
                 "[ERROR ]\nDatabase check "
                 "aborted\n");
         EXPECT_EQ(out.find("Commit changes"), std::string::npos);
         EXPECT_EQ(out.find("Checking event processing policy"),
                   std::string::npos);
         // Nothing was committed: the next run finds the same faults.
         EXPECT_EQ(t->Run({"check"}).out, report);
       }},
      {"upgrade",
       [](LostServerTest* t) {
         // A version-86 database whose event log holds thirty thousand
         // escaped texts: step 97 to 98 converts them row by row.
         ASSERT_TRUE(t->NewDatabase());
         std::string sql = ReadFileText(std::string(SCHEMON_SOURCE_DIR) +
                                        "/tests/upgrade/v86_fixture.sql");
         for (int k = 0; k < 2; k++) {
           const char* marker = k == 0 ? "$SQL:TEXT" : "$SQL:INT64";
           for (size_t at = sql.find(marker); at != std::string::npos;
                at = sql.find(marker)) {
             sql.replace(at, strlen(marker), g_apszSqlTypes[t->syntax()][k]);
           }
         }
         t->db_->Exec(sql);
         t->db_->Exec(std::string("INSERT INTO config (var_name,var_value,"
                                  "is_visible,need_server_restart) VALUES "
                                  "('DBSyntax','") +
                      SyntaxName(t->syntax()) + "',0,1)");
         t->db_->Exec(
             "INSERT INTO event_log (event_id,event_code,event_timestamp,"
             "event_source,event_severity,event_message,root_event_id,"
             "user_tag) SELECT 10+x,28,x,104,4," +
             t->Concat("'Node #2210.0.0.1#22 down #27'", "x") + ",0,'#00'" +
             t->Numbers(30000));
         std::string out = t->RunAndTakeServerAway(
             {"upgrade"}, "Upgrading from version 97 to 98\n", 500,
             "\nRolling back last stage due to upgrade errors...\nDatabase "
             "upgrade failed\n");
         EXPECT_EQ(t->db_->Scalar("SELECT var_value FROM metadata WHERE "
                                  "var_name='SchemaVersion'"),
                   "97");
         RunResult r = t->Run({"upgrade"});
         EXPECT_EQ(r.out, Banner() + std::string("Upgrading database...\n"
                                                 "Upgrading from version 97 "
                                                 "to 98\nDatabase upgrade "
                                                 "succeeded\n"));
         EXPECT_EQ(t->db_->Scalar("SELECT count(*) FROM event_log WHERE "
                                  "event_message LIKE '%#%'"),
                   "0");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    c.run(this);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_BACKEND_SUITE(LostServerTest);

}  // namespace
