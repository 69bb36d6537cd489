// Reading the DDL statements of the steps: the objects each one touches, the
// statements that are not DDL, the forms read only as "other DDL", and the
// loose form column types are compared in.

#include "upgrade/ddl_statement.h"

#include <gtest/gtest.h>

namespace {

// A statement read into one line: kind, table, name, type and the lists.
std::string Describe(const DdlStatement& d) {
  static const char* const kKinds[] = {
      "not-ddl",       "create-table", "drop-table",   "add-column",
      "drop-column",   "modify-column", "create-index", "drop-index",
      "rename-tables", "other"};
  std::string text = kKinds[d.kind];
  if (!d.table.empty()) text += " " + d.table;
  if (!d.name.empty()) text += " " + d.name;
  if (!d.type.empty()) text += " " + d.type;
  if (d.unique) text += " unique";
  for (const ColumnSpec& c : d.columns) text += " [" + c.name + " " + c.type + "]";
  for (const std::string& c : d.index_columns) text += " (" + c + ")";
  for (const auto& r : d.renames) text += " " + r.first + ">" + r.second;
  return text;
}

TEST(DdlStatementTest, ReadsTheFormsOfTheSteps) {
  const struct {
    const char* statement;
    const char* read;
  } cases[] = {
      {"CREATE TABLE conditions\t(id integer not null,script text not "
       "null,PRIMARY KEY(id))",
       "create-table conditions [id integer] [script text]"},
      {"CREATE TABLE raw_dci_values (\titem_id integer not null,   raw_value "
       "varchar(255),   PRIMARY KEY(item_id)) ENGINE=InnoDB",
       "create-table raw_dci_values [item_id integer] [raw_value "
       "varchar(255)]"},
      {"create table if not exists t (a decimal(10,2) default 0,b "
       "varchar(5) default 'x,y',UNIQUE (b))",
       "create-table t [a decimal(10,2)] [b varchar(5)]"},
      {"DROP TABLE modules", "drop-table modules"},
      {"DROP TABLE IF EXISTS modules", "drop-table modules"},
      {"ALTER TABLE items ADD instance varchar(255)",
       "add-column items instance varchar(255)"},
      {"ALTER TABLE event_groups ADD range_END integer",
       "add-column event_groups range_END integer"},
      {"ALTER TABLE snmp_trap_cfg ADD event_code integer not null default 0",
       "add-column snmp_trap_cfg event_code integer"},
      {"ALTER TABLE t ADD COLUMN IF NOT EXISTS a varchar(5) default 'x,DROP "
       "y'",
       "add-column t a varchar(5)"},
      {"ALTER TABLE nodes DROP COLUMN is_snmp", "drop-column nodes is_snmp"},
      {"ALTER TABLE nodes DROP is_snmp", "drop-column nodes is_snmp"},
      {"ALTER TABLE users MODIFY COLUMN cert_mapping_data text not null",
       "modify-column users cert_mapping_data text"},
      {"CREATE INDEX idx_idata_5_timestamp ON idata_5(idata_timestamp)",
       "create-index idata_5 idx_idata_5_timestamp (idata_timestamp)"},
      {"CREATE UNIQUE INDEX i ON t (a, b)", "create-index t i unique (a) (b)"},
      {"DROP INDEX IF EXISTS idx_timestamp ON idata_5",
       "drop-index idata_5 idx_timestamp"},
      {"RENAME TABLE t TO t_upg_old, t_upg_new TO t",
       "rename-tables t t>t_upg_old t_upg_new>t"},
      // DDL of other forms: nothing is read of its objects.
      {"ALTER TABLE t ADD a integer,DROP COLUMN b", "other"},
      {"ALTER TABLE t ADD PRIMARY KEY(a)", "other"},
      {"ALTER TABLE t DROP PRIMARY KEY", "other"},
      {"ALTER TABLE nodes ALTER COLUMN community TYPE varchar(127)", "other"},
      {"CREATE CLUSTERED INDEX i ON t(a)", "other"},
      {"DROP TABLE a, b", "other"},
      {"DROP INDEX i", "other"},
      {"TRUNCATE TABLE t", "other"},
      // Not DDL, whatever the text holds.
      {"INSERT INTO t (a) VALUES ('DROP TABLE x')", "not-ddl"},
      {"UPDATE nodes SET uname='#00'", "not-ddl"},
      {"DELETE FROM config WHERE var_name='x'", "not-ddl"},
      {"SELECT 1", "not-ddl"},
      {"", "not-ddl"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Describe(ParseDdl(c.statement)), c.read) << c.statement;
  }
}

TEST(DdlStatementTest, IdentityIgnoresOptionsBlanksAndCase) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"CREATE TABLE t (a integer)", "CREATE TABLE t (a integer) ENGINE=MyISAM",
       true},
      {"CREATE TABLE t (a integer)", "CREATE TABLE u (a integer)", false},
      {"ALTER TABLE event_groups ADD range_END integer",
       "ALTER TABLE event_groups ADD range_end integer", true},
      {"ALTER TABLE t ADD a integer", "ALTER TABLE t DROP COLUMN a", false},
      {"CREATE INDEX i ON t(a)", "CREATE INDEX i ON u(a)", false},
      {"ALTER TABLE t  ADD PRIMARY KEY(a)", "ALTER TABLE t ADD PRIMARY KEY(a)",
       true},
      {"ALTER TABLE t ADD PRIMARY KEY(a)", "ALTER TABLE t ADD PRIMARY KEY(b)",
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DdlIdentity(ParseDdl(c.a), c.a) == DdlIdentity(ParseDdl(c.b), c.b),
              c.same)
        << c.a << " / " << c.b;
  }
}

TEST(DdlStatementTest, IndependentStatementsChangeDifferentObjects) {
  const struct {
    const char* a;
    const char* b;
    bool independent;
  } cases[] = {
      {"CREATE INDEX i ON idata_1(a)", "CREATE INDEX i ON idata_2(a)", true},
      {"DROP INDEX IF EXISTS x ON idata_1", "CREATE INDEX y ON idata_1(a)",
       true},
      {"ALTER TABLE nodes DROP COLUMN name", "ALTER TABLE nodes DROP COLUMN "
       "status", true},
      {"ALTER TABLE t ADD a integer", "CREATE TABLE u (a integer)", true},
      // The same object, a whole table, or a column under an index.
      {"ALTER TABLE alarms DROP COLUMN source_event_id",
       "ALTER TABLE alarms ADD source_event_id bigint", false},
      {"ALTER TABLE t ADD A integer", "ALTER TABLE t DROP COLUMN a", false},
      {"CREATE TABLE t (a integer)", "ALTER TABLE t ADD b integer", false},
      {"DROP TABLE t", "CREATE TABLE t (a integer)", false},
      {"CREATE INDEX i ON t(c)", "ALTER TABLE t DROP COLUMN c", false},
      {"RENAME TABLE t TO t_old, t_new TO t", "DROP TABLE t_old", false},
      {"RENAME TABLE t TO t_old, t_new TO t", "CREATE INDEX i ON t_new(a)",
       false},
      {"ALTER TABLE t ADD PRIMARY KEY(a)", "CREATE INDEX i ON u(a)", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DdlStatementsIndependent(ParseDdl(c.a), ParseDdl(c.b)),
              c.independent)
        << c.a << " / " << c.b;
    EXPECT_EQ(DdlStatementsIndependent(ParseDdl(c.b), ParseDdl(c.a)),
              c.independent)
        << c.b << " / " << c.a;
  }
}

TEST(DdlStatementTest, LooseTypes) {
  const struct {
    const char* type;
    const char* loose;
  } cases[] = {
      {"integer", "integer"},     {"INT", "integer"},
      {"int(11)", "integer"},     {"bigint", "bigint"},
      {"bigint(20)", "bigint"},   {"smallint", "smallint"},
      {"text", "text"},           {"mediumtext", "text"},
      {"LONGTEXT", "text"},       {"tinytext", "tinytext"},
      {"varchar(63)", "varchar(63)"}, {"VARCHAR (255)", "varchar(255)"},
      {"char(8)", "char(8)"},     {"decimal(10,2)", "decimal(10,2)"},
  };
  for (const auto& c : cases) EXPECT_EQ(LooseType(c.type), c.loose) << c.type;
}

}  // namespace
