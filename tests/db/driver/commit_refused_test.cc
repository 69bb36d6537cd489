// A COMMIT after the database rolled the whole transaction back on its own
// fails instead of reporting success: SQLite after a statement that rolls
// back (RAISE(ROLLBACK) in a trigger), MySQL after a deadlock, and the
// servers after the session was killed from a second connection.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "db/driver/api_connection.h"
#include "db/driver/driver.h"
#include "db/driver/syntax.h"
#include "support/backend_test.h"

namespace {

class CommitRefusedTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    db_->Exec(
        "CREATE TABLE kept (id integer not null, v integer, PRIMARY KEY(id))");
    api_ = std::make_unique<ApiConnection>(db_->ConfigText());
    ASSERT_NE(api_->handle(), nullptr);
  }
  void TearDown() override {
    api_.reset();
    BackendTest::TearDown();
  }

  db_handle_t h() { return api_->handle(); }
  bool Query(const std::string& sql) {
    char error[DBERR_BUFFER_SIZE] = "";
    bool ok = DBQueryEx(h(), sql.c_str(), error);
    last_error_ = error;
    return ok;
  }
  std::string Scalar(const std::string& sql) {
    db_result_t result = DBSelect(h(), sql.c_str());
    std::string value = result != nullptr && DBGetNumRows(result) > 0
                            ? DBGetFieldString(result, 0, 0)
                            : "<none>";
    DBFreeResult(result);
    return value;
  }

  std::unique_ptr<ApiConnection> api_;
  std::string last_error_;
};

const char kSqliteLost[] =
    "the transaction was rolled back by the database after an earlier "
    "error; nothing of it was committed";

// SQLite rolls back the whole transaction when a trigger raises ROLLBACK.
void AddRollbackTrigger(TestDatabase* db) {
  db->Exec(
      "CREATE TRIGGER refuse BEFORE INSERT ON kept WHEN NEW.id=13 BEGIN "
      "SELECT RAISE(ROLLBACK, 'thirteen refused'); END");
}

TEST_P(CommitRefusedTest, SqliteCommitAfterItsOwnRollbackFails) {
  if (GetParam().name != "sqlite") GTEST_SKIP() << "the sqlite backend";
  AddRollbackTrigger(db_.get());
  ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
  EXPECT_TRUE(Query("INSERT INTO kept (id) VALUES (1)")) << last_error_;
  EXPECT_FALSE(Query("INSERT INTO kept (id) VALUES (13)"));
  EXPECT_EQ(last_error_, "thirteen refused");
  EXPECT_FALSE(DBCommit(h()));
  EXPECT_EQ(std::string(DBGetLastError(h())), kSqliteLost);
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
  // The connection goes on in autocommit.
  EXPECT_TRUE(Query("INSERT INTO kept (id) VALUES (2)")) << last_error_;
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "1");
}

// What the transaction's caller sends after the failure, before its commit,
// belonged to the transaction: the failed commit must not leave it behind
// (a check or an upgrade step going on past the failure under -X would
// otherwise keep its later writes while the commit reports that nothing was
// committed).
TEST_P(CommitRefusedTest,
       SqliteStatementsAfterItsOwnRollbackStayUndone) {
  if (GetParam().name != "sqlite") GTEST_SKIP() << "the sqlite backend";
  AddRollbackTrigger(db_.get());
  ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
  EXPECT_TRUE(Query("INSERT INTO kept (id) VALUES (1)")) << last_error_;
  EXPECT_FALSE(Query("INSERT INTO kept (id) VALUES (13)"));
  Query("INSERT INTO kept (id) VALUES (2)");
  EXPECT_FALSE(DBCommit(h()));
  EXPECT_EQ(std::string(DBGetLastError(h())), kSqliteLost);
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
}

// The test's own connection takes row 2 and, once the tool's connection
// waits for it, row 1, which the tool's connection holds: the server
// rolls back the lighter of the two, the tool's.
TEST_P(CommitRefusedTest, MysqlCommitAfterADeadlockFails) {
  if (GetParam().name != "mysql") GTEST_SKIP() << "InnoDB deadlocks";
  db_->Exec("INSERT INTO kept (id,v) VALUES (1,0),(2,0)");
  db_->Exec("CREATE TABLE weight (id integer)");
  std::string tool_session = Scalar("SELECT CONNECTION_ID()");
  // A wait that is no deadlock ends soon.
  ASSERT_TRUE(Query("SET SESSION innodb_lock_wait_timeout=10")) << last_error_;
  db_->Exec("SET SESSION innodb_lock_wait_timeout=10");
  ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
  ASSERT_TRUE(Query("UPDATE kept SET v=1 WHERE id=1")) << last_error_;
  ASSERT_TRUE(Query("INSERT INTO kept (id,v) VALUES (3,1)")) << last_error_;

  std::string error;
  ASSERT_TRUE(db_->conn()->Begin(&error)) << error;
  std::string rows = "INSERT INTO weight (id) VALUES (0)";
  for (int i = 1; i < 200; i++) rows += ",(" + std::to_string(i) + ")";
  ASSERT_TRUE(db_->conn()->Execute(rows, &error)) << error;
  ASSERT_TRUE(db_->conn()->Execute("UPDATE kept SET v=2 WHERE id=2", &error))
      << error;

  bool waited_update = true;
  std::string waited_error;
  std::thread waiter([&] {
    char text[DBERR_BUFFER_SIZE] = "";
    waited_update = DBQueryEx(h(), "UPDATE kept SET v=1 WHERE id=2", text);
    waited_error = text;
  });
  bool waiting = false;
  for (int i = 0; i < 300 && !waiting; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    driver::BufferedResult result;
    ASSERT_TRUE(db_->conn()->Select(
        "SELECT count(*) FROM information_schema.innodb_trx WHERE "
        "trx_state='LOCK WAIT' AND trx_mysql_thread_id=" +
            tool_session,
        &result, &error))
        << error;
    waiting = result.rows[0][0] == std::string("1");
  }
  EXPECT_TRUE(waiting) << "the tool's update never waited";
  bool second_update =
      db_->conn()->Execute("UPDATE kept SET v=2 WHERE id=1", &error);
  waiter.join();
  ASSERT_TRUE(second_update) << error;
  ASSERT_FALSE(waited_update);
  EXPECT_EQ(waited_error.find("Deadlock found"), 0u) << waited_error;

  // Sent after the deadlock, this runs in the transaction the server opened
  // next; the refused commit rolls it back as well.
  EXPECT_TRUE(Query("INSERT INTO kept (id,v) VALUES (4,1)")) << last_error_;
  EXPECT_FALSE(DBCommit(h()));
  EXPECT_EQ(std::string(DBGetLastError(h())),
            "the transaction was rolled back by the database after an "
            "earlier error (deadlock, lock wait or lost connection); nothing "
            "of it was committed");
  ASSERT_TRUE(db_->conn()->Commit(&error)) << error;
  EXPECT_EQ(db_->Rows("SELECT id,v FROM kept ORDER BY id"),
            (std::vector<std::vector<std::string>>{{"1", "2"}, {"2", "2"}}));
}

// The tool's session is ended by the server (killed from the test's own
// connection) inside a transaction, with or without a statement between
// the kill and the commit.
TEST_P(CommitRefusedTest, CommitAfterTheSessionWasKilledFails) {
  const std::string backend = GetParam().name;
  if (backend != "pgsql" && backend != "mysql" && backend != "odbc_pgsql") {
    GTEST_SKIP() << "a server session";
  }
  bool mysql = syntax() == SYNTAX_MYSQL;
  for (bool statement_between : {false, true}) {
    SCOPED_TRACE(statement_between ? "a statement between" : "commit at once");
    api_.reset();
    api_ = std::make_unique<ApiConnection>(db_->ConfigText());
    ASSERT_NE(h(), nullptr);
    std::string session =
        Scalar(mysql ? "SELECT CONNECTION_ID()" : "SELECT pg_backend_pid()");
    ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
    ASSERT_TRUE(Query("INSERT INTO kept (id) VALUES (1)")) << last_error_;
    db_->Exec(mysql ? "KILL " + session
                    : "SELECT pg_terminate_backend(" + session + ", 10000)");
    std::string alive =
        mysql ? "SELECT count(*) FROM information_schema.processlist WHERE "
                "id=" +
                    session
              : "SELECT count(*) FROM pg_stat_activity WHERE pid=" + session;
    for (int i = 0; i < 250 && db_->Scalar(alive) != "0"; i++) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(db_->Scalar(alive), "0") << "the session did not end";
    if (statement_between) {
      EXPECT_FALSE(Query("INSERT INTO kept (id) VALUES (2)"));
      EXPECT_TRUE(DBIsConnectionLost(h())) << last_error_;
    }
    EXPECT_FALSE(DBCommit(h()));
    EXPECT_NE(std::string(DBGetLastError(h())), "");
    EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
  }
}

INSTANTIATE_BACKEND_SUITE(CommitRefusedTest);

}  // namespace
