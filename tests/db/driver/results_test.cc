// Results on every backend: NULL told apart from the empty text, the text of
// the common column types, many rows fetched one by one, cursors given up
// early, and the database's error texts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/driver/api_connection.h"
#include "db/driver/driver.h"
#include "support/backend_test.h"

namespace {

class ResultsTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    api_ = std::make_unique<ApiConnection>(db_->ConfigText());
    ASSERT_NE(api_->handle(), nullptr);
  }
  void TearDown() override {
    api_.reset();
    BackendTest::TearDown();
  }
  db_handle_t h() { return api_->handle(); }

  std::unique_ptr<ApiConnection> api_;
};

TEST_P(ResultsTest, NullIsToldApartFromEmptyText) {
  db_->Exec(
      "CREATE TABLE n (id integer, t varchar(10), i integer);\n"
      "INSERT INTO n (id,t,i) VALUES (1,NULL,NULL);\n"
      "INSERT INTO n (id,t,i) VALUES (2,'',0)");
  const char* query = "SELECT t,i FROM n ORDER BY id";
  char error[DBERR_BUFFER_SIZE] = "";
  db_result_t result = DBSelectEx(h(), query, error);
  ASSERT_NE(result, nullptr) << error;
  ASSERT_EQ(DBGetNumRows(result), 2);
  EXPECT_TRUE(DBIsFieldNull(result, 0, 0));
  EXPECT_TRUE(DBIsFieldNull(result, 0, 1));
  EXPECT_FALSE(DBIsFieldNull(result, 1, 0));
  EXPECT_FALSE(DBIsFieldNull(result, 1, 1));
  EXPECT_EQ(DBGetFieldString(result, 1, 1), "0");
  DBFreeResult(result);

  db_async_result_t cursor = DBAsyncSelectEx(h(), query, error);
  ASSERT_NE(cursor, nullptr) << error;
  char buffer[16];
  ASSERT_TRUE(DBFetch(cursor));
  EXPECT_EQ(DBGetFieldAsync(cursor, 0, buffer, sizeof buffer), nullptr);
  EXPECT_EQ(DBGetFieldAsync(cursor, 1, buffer, sizeof buffer), nullptr);
  ASSERT_TRUE(DBFetch(cursor));
  ASSERT_NE(DBGetFieldAsync(cursor, 0, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "");
  ASSERT_NE(DBGetFieldAsync(cursor, 1, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "0");
  EXPECT_FALSE(DBFetch(cursor));
  DBFreeAsyncResult(h(), cursor);
}

struct TypedValue {
  const char* type;
  const char* literal;
  const char* text;
};

// Types every backend has, and each server's own. decimal reads back with
// its scale on the servers; SQLite keeps it as a real number.
std::vector<TypedValue> TypesOf(const std::string& backend, int syntax) {
  std::vector<TypedValue> types = {
      {"integer", "-2147483648", "-2147483648"},
      {"bigint", "9007199254740993", "9007199254740993"},
      {"varchar(20)", "'abc def'", "abc def"},
      {"varchar(20)", "'Grüße'", "Grüße"},
  };
  if (syntax == SYNTAX_SQLITE) {
    types.push_back({"decimal(10,2)", "12.5", "12.5"});
  } else {
    types.push_back({"decimal(10,2)", "12.5", "12.50"});
  }
  if (backend == "pgsql") {
    types.insert(types.end(),
                 {{"boolean", "true", "t"},
                  {"smallint", "-32768", "-32768"},
                  {"double precision", "1.5", "1.5"},
                  {"char(4)", "'ab'", "ab  "},
                  {"date", "'2024-02-29'", "2024-02-29"},
                  {"timestamp", "'2024-02-29 13:14:15'", "2024-02-29 13:14:15"},
                  {"bytea", "'\\x41ff'", "\\x41ff"},
                  {"uuid", "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'",
                   "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11"},
                  {"integer[]", "'{1,2}'", "{1,2}"},
                  {"inet", "'10.0.0.1'", "10.0.0.1"}});
  } else if (backend == "mysql") {
    types.insert(
        types.end(),
        {{"tinyint", "-128", "-128"},
         {"bigint unsigned", "18446744073709551615", "18446744073709551615"},
         {"double", "1.5", "1.5"},
         {"char(4)", "'ab'", "ab"},
         {"date", "'2024-02-29'", "2024-02-29"},
         {"datetime", "'2024-02-29 13:14:15'", "2024-02-29 13:14:15"},
         {"blob", "x'41FF'", "A\xFF"},
         {"enum('x','y')", "'y'", "y"},
         {"mediumtext", "'m'", "m"}});
  } else if (backend == "sqlite") {
    types.insert(types.end(), {{"real", "1.5", "1.5"},
                               {"blob", "x'4142'", "AB"},
                               {"text", "'t'", "t"}});
  }
  return types;
}

TEST_P(ResultsTest, EveryColumnTypeReadsAsText) {
  std::vector<TypedValue> types = TypesOf(GetParam().name, syntax());
  std::string create = "CREATE TABLE typed (";
  std::string insert = "INSERT INTO typed VALUES (";
  std::string select = "SELECT ";
  for (size_t i = 0; i < types.size(); i++) {
    std::string sep = i == 0 ? "" : ",";
    create += sep + "c" + std::to_string(i) + " " + types[i].type;
    insert += sep + types[i].literal;
    select += sep + "c" + std::to_string(i);
  }
  db_->Exec(create + ")");
  db_->Exec(insert + ")");
  select += " FROM typed";

  char error[DBERR_BUFFER_SIZE] = "";
  db_result_t result = DBSelectEx(h(), select.c_str(), error);
  ASSERT_NE(result, nullptr) << error;
  ASSERT_EQ(DBGetNumRows(result), 1);
  db_async_result_t cursor = DBAsyncSelectEx(h(), select.c_str(), error);
  ASSERT_NE(cursor, nullptr) << error;
  ASSERT_TRUE(DBFetch(cursor));
  ASSERT_EQ(DBGetColumnCountAsync(cursor), static_cast<int>(types.size()));
  for (size_t i = 0; i < types.size(); i++) {
    int column = static_cast<int>(i);
    EXPECT_EQ(DBGetFieldString(result, 0, column), types[i].text)
        << types[i].type << " (buffered)";
    std::string text;
    EXPECT_TRUE(DBGetFieldAsyncString(cursor, column, &text));
    EXPECT_EQ(text, types[i].text) << types[i].type << " (unbuffered)";
    char name[256];
    EXPECT_STREQ(DBGetColumnNameAsync(cursor, column, name, sizeof name),
                 ("c" + std::to_string(i)).c_str());
  }
  EXPECT_FALSE(DBFetch(cursor));
  DBFreeAsyncResult(h(), cursor);
  DBFreeResult(result);
}

constexpr int kManyRows = 20000;

void FillMany(TestDatabase* db) {
  db->Exec("CREATE TABLE many (id integer not null, payload varchar(40))");
  std::string insert;
  for (int id = 0; id < kManyRows; id++) {
    if (insert.empty())
      insert = "INSERT INTO many (id,payload) VALUES ";
    else
      insert += ",";
    insert += "(" + std::to_string(id) + ",'row " + std::to_string(id) + "')";
    if (id % 500 == 499) {
      db->Exec(insert);
      insert.clear();
    }
  }
}

TEST_P(ResultsTest, ManyRowsArriveOneByOneInOrder) {
  FillMany(db_.get());
  char error[DBERR_BUFFER_SIZE] = "";
  db_async_result_t cursor =
      DBAsyncSelectEx(h(), "SELECT id,payload FROM many ORDER BY id", error);
  ASSERT_NE(cursor, nullptr) << error;
  int count = 0;
  char buffer[64];
  while (DBFetch(cursor)) {
    ASSERT_STREQ(DBGetFieldAsync(cursor, 0, buffer, sizeof buffer),
                 std::to_string(count).c_str());
    ASSERT_STREQ(DBGetFieldAsync(cursor, 1, buffer, sizeof buffer),
                 ("row " + std::to_string(count)).c_str());
    count++;
  }
  EXPECT_EQ(DBGetAsyncError(cursor), nullptr);
  DBFreeAsyncResult(h(), cursor);
  EXPECT_EQ(count, kManyRows);
  // The connection is free again once the cursor is gone.
  db_result_t result = DBSelectEx(h(), "SELECT count(*) FROM many", error);
  ASSERT_NE(result, nullptr) << error;
  EXPECT_EQ(DBGetFieldLong(result, 0, 0), kManyRows);
  DBFreeResult(result);
}

TEST_P(ResultsTest, CursorGivenUpEarlyLeavesConnectionUsable) {
  FillMany(db_.get());
  db_->Exec("CREATE TABLE after_cursor (id integer)");
  char error[DBERR_BUFFER_SIZE] = "";
  for (bool in_transaction : {false, true}) {
    SCOPED_TRACE(in_transaction ? "in a transaction" : "in autocommit");
    if (in_transaction) {
      ASSERT_TRUE(DBBegin(h())) << DBGetLastError(h());
    }
    db_async_result_t cursor =
        DBAsyncSelectEx(h(), "SELECT id FROM many ORDER BY id", error);
    ASSERT_NE(cursor, nullptr) << error;
    for (int i = 0; i < 3; i++) ASSERT_TRUE(DBFetch(cursor));
    DBFreeAsyncResult(h(), cursor);
    EXPECT_TRUE(
        DBQueryEx(h(), "INSERT INTO after_cursor (id) VALUES (7)", error))
        << error;
    db_result_t result =
        DBSelectEx(h(), "SELECT count(*) FROM after_cursor", error);
    ASSERT_NE(result, nullptr) << error;
    EXPECT_EQ(DBGetFieldLong(result, 0, 0), in_transaction ? 2 : 1);
    DBFreeResult(result);
    if (in_transaction) {
      ASSERT_TRUE(DBCommit(h())) << DBGetLastError(h());
    }
  }
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM after_cursor"), "2");
}

TEST_P(ResultsTest, ErrorsCarryTheDatabaseText) {
  struct Case {
    const char* sql;
    const char* mentions;  // a word the database's text must contain
  } cases[] = {
      {"SELECT * FROM no_such_table", "no_such_table"},
      {"INSERT INTO no_such_table VALUES (1)", "no_such_table"},
      {"SELECT no_such_column FROM many", "no_such_column"},
  };
  db_->Exec("CREATE TABLE many (id integer)");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    char error[DBERR_BUFFER_SIZE] = "";
    EXPECT_FALSE(DBQueryEx(h(), c.sql, error));
    EXPECT_NE(std::string(error).find(c.mentions), std::string::npos) << error;
    error[0] = 0;
    EXPECT_EQ(DBSelectEx(h(), c.sql, error), nullptr);
    EXPECT_NE(std::string(error).find(c.mentions), std::string::npos) << error;
    error[0] = 0;
    EXPECT_EQ(DBAsyncSelectEx(h(), c.sql, error), nullptr);
    EXPECT_NE(std::string(error).find(c.mentions), std::string::npos) << error;
  }
  char error[DBERR_BUFFER_SIZE] = "";
  EXPECT_FALSE(DBQueryEx(h(), "SELEC 1", error));
  EXPECT_STRNE(error, "");
}

INSTANTIATE_BACKEND_SUITE(ResultsTest);

}  // namespace
