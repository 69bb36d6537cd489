// PostgreSQL aborts a whole transaction after one failed statement and then
// answers COMMIT with success while rolling back. These cases need a real
// PostgreSQL server and are skipped without one.

#include <gtest/gtest.h>

#include <string>

#include "db/driver/api_connection.h"
#include "db/driver/driver.h"
#include "support/backend_test.h"

namespace {

class PgsqlTransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& backend : EnabledBackends()) {
      if (backend.name == "pgsql") {
        dir_ = MakeTempDir();
        db_ = backend.create(dir_);
      }
    }
    if (db_ == nullptr) GTEST_SKIP() << "SCHEMON_TEST_PGSQL is not set";
    ASSERT_NE(db_->conn(), nullptr);
    db_->Exec("CREATE TABLE kept (id integer not null)");
    api_ = std::make_unique<ApiConnection>(db_->ConfigText());
    ASSERT_NE(api_->handle(), nullptr);
  }
  void TearDown() override {
    api_.reset();
    db_.reset();
    if (!dir_.empty()) RemoveTree(dir_);
  }
  db_handle_t h() { return api_->handle(); }
  bool Query(const std::string& sql) {
    char error[DBERR_BUFFER_SIZE] = "";
    bool ok = DBQueryEx(h(), sql.c_str(), error);
    last_error_ = error;
    return ok;
  }

  std::string dir_;
  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<ApiConnection> api_;
  std::string last_error_;
};

TEST_F(PgsqlTransactionTest, MissingTableInsideTransactionSparesTheRest) {
  ASSERT_TRUE(DBBegin(h()));
  ASSERT_TRUE(Query("INSERT INTO kept (id) VALUES (1)"));
  EXPECT_FALSE(Query("SELECT * FROM idata_17"));
  EXPECT_NE(last_error_.find("idata_17"), std::string::npos) << last_error_;
  EXPECT_TRUE(Query("INSERT INTO kept (id) VALUES (2)")) << last_error_;
  EXPECT_TRUE(Query("UPDATE kept SET id = id * 10")) << last_error_;
  ASSERT_TRUE(DBCommit(h())) << DBGetLastError(h());
  EXPECT_EQ(db_->Rows("SELECT id FROM kept ORDER BY id"),
            (std::vector<std::vector<std::string>>{{"10"}, {"20"}}));
}

TEST_F(PgsqlTransactionTest, CommitAfterUnguardedErrorIsAFailure) {
  // The text opens the transaction itself, so no savepoint guards the
  // failing statement and PostgreSQL aborts the block.
  EXPECT_FALSE(Query("BEGIN; INSERT INTO kept (id) VALUES (1); SELECT 1/0"));
  EXPECT_FALSE(DBCommit(h()));
  EXPECT_NE(std::string(DBGetLastError(h())).find("rolled back"),
            std::string::npos)
      << DBGetLastError(h());
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
  // The connection has left the aborted block and works again.
  EXPECT_TRUE(Query("INSERT INTO kept (id) VALUES (3)")) << last_error_;
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "1");
}

TEST_F(PgsqlTransactionTest, CommitRefusedByTheServerIsAFailure) {
  db_->Exec(
      "CREATE TABLE parent (id integer PRIMARY KEY);\n"
      "CREATE TABLE child (parent_id integer REFERENCES parent(id) "
      "DEFERRABLE INITIALLY DEFERRED)");
  ASSERT_TRUE(DBBegin(h()));
  ASSERT_TRUE(Query("INSERT INTO child (parent_id) VALUES (99)"));
  ASSERT_TRUE(Query("INSERT INTO kept (id) VALUES (1)"));
  EXPECT_FALSE(DBCommit(h()));
  EXPECT_NE(std::string(DBGetLastError(h())).find("foreign key"),
            std::string::npos)
      << DBGetLastError(h());
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
}

TEST_F(PgsqlTransactionTest, ErrorWhileStreamingUndoesOnlyThatQuery) {
  ASSERT_TRUE(DBBegin(h()));
  ASSERT_TRUE(Query("INSERT INTO kept (id) VALUES (100)"));
  char error[DBERR_BUFFER_SIZE] = "";
  // Fails on the fourth row, after three rows were delivered.
  db_async_result_t cursor = DBAsyncSelectEx(
      h(), "SELECT 10 / (4 - g) FROM generate_series(1, 6) g", error);
  ASSERT_NE(cursor, nullptr) << error;
  int rows = 0;
  while (DBFetch(cursor)) rows++;
  EXPECT_EQ(rows, 3);
  ASSERT_NE(DBGetAsyncError(cursor), nullptr);
  EXPECT_NE(std::string(DBGetAsyncError(cursor)).find("division by zero"),
            std::string::npos);
  DBFreeAsyncResult(h(), cursor);
  EXPECT_TRUE(Query("INSERT INTO kept (id) VALUES (101)")) << last_error_;
  ASSERT_TRUE(DBCommit(h())) << DBGetLastError(h());
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept WHERE id >= 100"), "2");
}

}  // namespace
