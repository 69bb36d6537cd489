// The DDL forms per database: which statements get IF [NOT] EXISTS, which
// keep their text, and the ENGINE= table options on MySQL.

#include "upgrade/dialect_ddl.h"

#include <gtest/gtest.h>

#include "db/driver/syntax.h"

namespace {

const DdlDialect kMariaDb{SYNTAX_MYSQL, true};
const DdlDialect kMysql{SYNTAX_MYSQL, false};

TEST(DialectDdlTest, MariaDbStatementForms) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"CREATE TABLE t (a integer,b varchar(5),PRIMARY KEY(a))",
       "CREATE TABLE IF NOT EXISTS t (a integer,b varchar(5),PRIMARY KEY(a))"},
      {"DROP TABLE modules", "DROP TABLE IF EXISTS modules"},
      {"DROP TABLE IF EXISTS modules", "DROP TABLE IF EXISTS modules"},
      {"CREATE INDEX idx_a ON t(a)",
       "CREATE INDEX IF NOT EXISTS idx_a ON t(a)"},
      {"CREATE UNIQUE INDEX idx_a ON t(a)",
       "CREATE UNIQUE INDEX IF NOT EXISTS idx_a ON t(a)"},
      {"DROP INDEX idx_a ON t", "DROP INDEX IF EXISTS idx_a ON t"},
      {"ALTER TABLE nodes ADD uname varchar(255)",
       "ALTER TABLE nodes ADD IF NOT EXISTS uname varchar(255)"},
      {"ALTER TABLE nodes ADD COLUMN uname varchar(255)",
       "ALTER TABLE nodes ADD COLUMN IF NOT EXISTS uname varchar(255)"},
      {"alter table nodes add uname varchar(255)",
       "alter table nodes add IF NOT EXISTS uname varchar(255)"},
      {"ALTER TABLE object_properties DROP COLUMN image_id",
       "ALTER TABLE object_properties DROP COLUMN IF EXISTS image_id"},
      {"ALTER TABLE t DROP c", "ALTER TABLE t DROP IF EXISTS c"},
      {"ALTER TABLE t ADD a decimal(10,2),DROP COLUMN b",
       "ALTER TABLE t ADD IF NOT EXISTS a decimal(10,2),DROP COLUMN IF EXISTS "
       "b"},
      {"ALTER TABLE t ADD a varchar(5) default 'x,DROP y'",
       "ALTER TABLE t ADD IF NOT EXISTS a varchar(5) default 'x,DROP y'"},
      {"ALTER TABLE t ADD INDEX i (a)",
       "ALTER TABLE t ADD INDEX IF NOT EXISTS i (a)"},
      {"ALTER TABLE t CHANGE a b integer",
       "ALTER TABLE t CHANGE IF EXISTS a b integer"},
      // No IF form: left as written.
      {"ALTER TABLE t ADD PRIMARY KEY(a)", "ALTER TABLE t ADD PRIMARY KEY(a)"},
      {"ALTER TABLE t DROP PRIMARY KEY", "ALTER TABLE t DROP PRIMARY KEY"},
      {"ALTER TABLE t ADD CONSTRAINT c UNIQUE(a)",
       "ALTER TABLE t ADD CONSTRAINT c UNIQUE(a)"},
      {"ALTER TABLE t MODIFY COLUMN a text not null",
       "ALTER TABLE t MODIFY COLUMN a text not null"},
      {"ALTER TABLE t ADD IF NOT EXISTS a integer",
       "ALTER TABLE t ADD IF NOT EXISTS a integer"},
      // Not DDL.
      {"INSERT INTO t (a) VALUES ('DROP TABLE x')",
       "INSERT INTO t (a) VALUES ('DROP TABLE x')"},
      {"UPDATE nodes SET uname='#00'", "UPDATE nodes SET uname='#00'"},
      {"DELETE FROM config WHERE var_name='x'",
       "DELETE FROM config WHERE var_name='x'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RewriteDdl(c.in, kMariaDb), c.out) << c.in;
  }
}

TEST(DialectDdlTest, MysqlGetsOnlyTheFormsItHas) {
  EXPECT_EQ(RewriteDdl("CREATE TABLE t (a integer)", kMysql),
            "CREATE TABLE IF NOT EXISTS t (a integer)");
  EXPECT_EQ(RewriteDdl("DROP TABLE t", kMysql), "DROP TABLE IF EXISTS t");
  EXPECT_EQ(RewriteDdl("ALTER TABLE t ADD a integer", kMysql),
            "ALTER TABLE t ADD a integer");
  EXPECT_EQ(RewriteDdl("CREATE INDEX i ON t(a)", kMysql),
            "CREATE INDEX i ON t(a)");
}

TEST(DialectDdlTest, TableOptionsBecomeEngine) {
  EXPECT_EQ(RewriteDdl("CREATE TABLE t (a integer) TYPE=InnoDB", kMariaDb),
            "CREATE TABLE IF NOT EXISTS t (a integer) ENGINE=InnoDB");
  EXPECT_EQ(RewriteDdl("CREATE TABLE t (a integer) TYPE=MyISAM", kMysql),
            "CREATE TABLE IF NOT EXISTS t (a integer) ENGINE=MyISAM");
  // Only the options after the column list: a default text stays.
  EXPECT_EQ(RewriteDdl("CREATE TABLE t (a varchar(20) default 'TYPE=MyISAM')",
                       kMysql),
            "CREATE TABLE IF NOT EXISTS t (a varchar(20) default "
            "'TYPE=MyISAM')");
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
      EXPECT_EQ(RewriteDdl(s, DdlDialect{syntax, false}), s) << syntax;
    }
  }
}

}  // namespace
