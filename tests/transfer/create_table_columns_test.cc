// The columns that a per-node creation command will make, read from its
// text: the import checks a file's per-node tables against them before it
// clears anything, so a misread column refuses a good file or lets a bad
// one through to a half-done import.

#include "transfer/create_table_columns.h"

#include <gtest/gtest.h>

namespace {

TEST(CreateTableColumnsTest, ReadsTheColumnsOfTheStatementsDatabasesUse) {
  const struct {
    const char* statement;
    const char* table;
    std::vector<std::string> columns;
  } cases[] = {
      // The shipped commands.
      {"CREATE TABLE idata_5 (item_id integer not null,idata_timestamp "
       "integer not null,idata_value varchar(255))",
       "idata_5",
       {"item_id", "idata_timestamp", "idata_value"}},
      {"CREATE TABLE idata_5 (item_id integer not null,idata_timestamp "
       "integer not null,idata_value varchar(255)) ENGINE=InnoDB DEFAULT "
       "CHARSET=utf8mb4",
       "idata_5",
       {"item_id", "idata_timestamp", "idata_value"}},
      // Constraints are no columns; commas inside parentheses and quotes
      // separate nothing.
      {"create table IF NOT EXISTS idata_7 ( item_id integer , v "
       "numeric(10,2) default '1,2', PRIMARY KEY (item_id, v), "
       "CONSTRAINT c CHECK (v > 0), UNIQUE (v), KEY k (v), INDEX i (v), "
       "FOREIGN KEY (item_id) REFERENCES items(item_id) )",
       "idata_7",
       {"item_id", "v"}},
      // Quoted and qualified names lose their quotes and qualifiers.
      {"CREATE TABLE dbo.[idata_8] (\"item_id\" int, `key` int, [primary] "
       "int)",
       "idata_8",
       {"item_id", "key", "primary"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.statement);
    std::string table;
    std::vector<std::string> columns;
    ASSERT_TRUE(ReadCreateTableColumns(c.statement, &table, &columns));
    EXPECT_EQ(table, c.table);
    EXPECT_EQ(columns, c.columns);
  }
}

TEST(CreateTableColumnsTest, RefusesWhatDoesNotListItsColumns) {
  const char* const statements[] = {
      "CREATE TABLE idata_5 AS SELECT * FROM idata_1",
      "CREATE TABLE idata_5 (LIKE idata_1)",
      "CREATE INDEX idx ON idata_5(item_id)",
      "CREATE TEMPORARY TABLE idata_5 (item_id integer)",
      "CREATE TABLE idata_5 (item_id integer",
      "CREATE TABLE idata_5 ()",
      "CREATE TABLE idata_5 (PRIMARY KEY (item_id))",
      "CREATE TABLE IF EXISTS idata_5 (item_id integer)",
      "CREATE TABLE idata_5 (item_id varchar(10) default 'x)",
      "",
  };
  for (const char* statement : statements) {
    std::string table;
    std::vector<std::string> columns;
    EXPECT_FALSE(ReadCreateTableColumns(statement, &table, &columns))
        << statement;
  }
}

}  // namespace
