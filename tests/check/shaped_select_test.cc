// Lookups that differ only by their numbers run prepared by shape on the
// backends that do so; the results, the failure texts and the transaction
// are as for any other statement.

#include <gtest/gtest.h>

#include "db/driver/driver.h"
#include "db/driver/syntax.h"
#include "front/globals.h"
#include "support/backend_test.h"

namespace {

class ShapedSelectTest : public BackendTest {};

TEST_P(ShapedSelectTest, RepeatedLookupsInsideATransaction) {
  db_->Exec(
      "CREATE TABLE t (id integer not null, name varchar(20));\n"
      "INSERT INTO t (id,name) VALUES (1,'one');\n"
      "INSERT INTO t (id,name) VALUES (-2147483639,'group')");
  ConnectInProcess();
  ASSERT_TRUE(DBBegin(g_hDbConnection));
  for (int round = 0; round < 2; round++) {
    for (const auto& c : std::vector<std::pair<std::string, std::string>>{
             {"SELECT name FROM t WHERE id=1", "one"},
             {"SELECT name FROM t WHERE id=-2147483639", "group"},
             {"SELECT name FROM t WHERE id=3000000000", ""},
             {"SELECT name FROM t WHERE id=1 AND name='one'", "one"}}) {
      SCOPED_TRACE(c.first);
      char error[DBERR_BUFFER_SIZE] = "";
      db_result_t r = DBSelectEx(g_hDbConnection, c.first.c_str(), error);
      ASSERT_NE(r, nullptr) << error;
      EXPECT_EQ(DBGetNumRows(r), c.second.empty() ? 0 : 1);
      if (!c.second.empty()) {
        EXPECT_EQ(DBGetFieldString(r, 0, 0), c.second);
      }
      DBFreeResult(r);
    }
    // A failing lookup reports the statement with its number and undoes
    // only itself.
    char error[DBERR_BUFFER_SIZE] = "";
    EXPECT_EQ(
        DBSelectEx(g_hDbConnection,
                   "SELECT count(*) FROM absent WHERE x>1700000000", error),
        nullptr);
    EXPECT_EQ(std::string(error).find("$1"), std::string::npos) << error;
    EXPECT_TRUE(
        DBQuery(g_hDbConnection, "INSERT INTO t (id,name) VALUES (7,'seven')"));
  }
  if (syntax() == SYNTAX_POSTGRESQL && GetParam().name == "pgsql") {
    db_result_t r = DBSelect(g_hDbConnection,
                             "SELECT count(*) FROM pg_prepared_statements "
                             "WHERE name LIKE 'schemon_shape_%'");
    ASSERT_NE(r, nullptr);
    // id=?, id=-? and id=? AND name=...: the failed one was not kept.
    EXPECT_EQ(DBGetFieldLong(r, 0, 0), 3);
    DBFreeResult(r);
  }
  ASSERT_TRUE(DBCommit(g_hDbConnection));
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM t WHERE id=7"), "2");
}

INSTANTIATE_BACKEND_SUITE(ShapedSelectTest);

}  // namespace
