// Transactions on every backend: a failed statement inside a transaction
// undoes only itself, the commit keeps the rest, and a rollback undoes all.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/driver/api_connection.h"
#include "db/driver/driver.h"
#include "support/backend_test.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Statements that fail on every backend, each through another entry point.
enum class Via { kQuery, kSelect, kAsyncSelect };
struct FailingStatement {
  const char* label;
  Via via;
  const char* sql;
};
const FailingStatement kFailures[] = {
    {"insert into a missing table", Via::kQuery,
     "INSERT INTO missing_table (id) VALUES (1)"},
    {"probe of a per-node table", Via::kSelect,
     "SELECT item_id FROM idata_4242"},
    {"unbuffered probe", Via::kAsyncSelect, "SELECT item_id FROM idata_4243"},
    {"unknown column", Via::kQuery, "INSERT INTO kept (nope) VALUES (1)"},
    {"syntax error", Via::kQuery, "INSERT INTO kept VALUES"},
};

bool RunFailing(db_handle_t h, const FailingStatement& statement) {
  char error[DBERR_BUFFER_SIZE] = "";
  switch (statement.via) {
    case Via::kQuery:
      return DBQueryEx(h, statement.sql, error);
    case Via::kSelect: {
      db_result_t result = DBSelectEx(h, statement.sql, error);
      DBFreeResult(result);
      return result != nullptr;
    }
    case Via::kAsyncSelect: {
      db_async_result_t result = DBAsyncSelectEx(h, statement.sql, error);
      DBFreeAsyncResult(h, result);
      return result != nullptr;
    }
  }
  return false;
}

class TransactionTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    db_->Exec("CREATE TABLE kept (id integer not null)");
    api_ = std::make_unique<ApiConnection>(db_->ConfigText());
    ASSERT_NE(api_->handle(), nullptr);
  }
  void TearDown() override {
    api_.reset();
    BackendTest::TearDown();
  }

  void Insert(int id) {
    char error[DBERR_BUFFER_SIZE] = "";
    std::string sql =
        "INSERT INTO kept (id) VALUES (" + std::to_string(id) + ")";
    EXPECT_TRUE(DBQueryEx(h(), sql.c_str(), error)) << error;
  }
  db_handle_t h() { return api_->handle(); }

  std::unique_ptr<ApiConnection> api_;
};

TEST_P(TransactionTest, FailedStatementUndoesOnlyItself) {
  ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
  int id = 1;
  Insert(id++);
  for (const auto& failure : kFailures) {
    EXPECT_FALSE(RunFailing(h(), failure)) << failure.label;
    Insert(id++);
  }
  ASSERT_TRUE(DBCommit(h())) << DBGetLastError(h());
  Rows expected;
  for (int i = 1; i < id; i++) expected.push_back({std::to_string(i)});
  EXPECT_EQ(db_->Rows("SELECT id FROM kept ORDER BY id"), expected);
}

TEST_P(TransactionTest, RollbackAfterFailureUndoesEverything) {
  ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
  Insert(1);
  EXPECT_FALSE(RunFailing(h(), kFailures[0]));
  Insert(2);
  ASSERT_TRUE(DBRollback(h())) << DBGetLastError(h());
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
  // The connection is back in autocommit: this row stays without a commit.
  Insert(3);
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "1");
}

TEST_P(TransactionTest, UncommittedRowsAreInvisibleToOthers) {
  ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
  Insert(1);
  EXPECT_FALSE(RunFailing(h(), kFailures[1]));
  Insert(2);
  // The test's own connection sees nothing before the commit (SQLite's
  // file lock would block it, so it is only asked on the servers).
  if (syntax() != SYNTAX_SQLITE) {
    EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "0");
  }
  ASSERT_TRUE(DBCommit(h())) << DBGetLastError(h());
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM kept"), "2");
}

INSTANTIATE_BACKEND_SUITE(TransactionTest);

}  // namespace
