// The DDL forms per database: the ENGINE= table options on MySQL, every
// other statement as written.

#include "upgrade/dialect_ddl.h"

#include <gtest/gtest.h>

#include "db/driver/syntax.h"

namespace {

TEST(DialectDdlTest, TableOptionsBecomeEngineOnMysql) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"CREATE TABLE t (a integer) TYPE=InnoDB",
       "CREATE TABLE t (a integer) ENGINE=InnoDB"},
      {"CREATE TABLE t (a integer) TYPE=MyISAM",
       "CREATE TABLE t (a integer) ENGINE=MyISAM"},
      // Only the options after the column list: a default text stays.
      {"CREATE TABLE t (a varchar(20) default 'TYPE=MyISAM')",
       "CREATE TABLE t (a varchar(20) default 'TYPE=MyISAM')"},
      // Every other statement goes as written: a step's DDL is looked at
      // before it is sent, not rewritten to pass over what exists.
      {"CREATE TABLE t (a integer)", "CREATE TABLE t (a integer)"},
      {"DROP TABLE t", "DROP TABLE t"},
      {"ALTER TABLE t ADD a integer", "ALTER TABLE t ADD a integer"},
      {"CREATE INDEX i ON t(a)", "CREATE INDEX i ON t(a)"},
      {"INSERT INTO t (a) VALUES ('TYPE=MyISAM)')",
       "INSERT INTO t (a) VALUES ('TYPE=MyISAM)')"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RewriteDdl(c.in, SYNTAX_MYSQL), c.out) << c.in;
  }
}

TEST(DialectDdlTest, OtherDatabasesKeepEveryStatement) {
  const char* statements[] = {
      "CREATE TABLE t (a integer) TYPE=InnoDB",
      "DROP TABLE t",
      "ALTER TABLE t ADD a integer",
      "ALTER TABLE t DROP COLUMN a",
  };
  for (int syntax :
       {SYNTAX_POSTGRESQL, SYNTAX_MSSQL, SYNTAX_ORACLE, SYNTAX_SQLITE}) {
    for (const char* s : statements) {
      EXPECT_EQ(RewriteDdl(s, syntax), s) << syntax;
    }
  }
}

}  // namespace
