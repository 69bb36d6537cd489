// What a DDL statement of an upgrade step changes, read from its text: the
// table or column it creates, the object it drops, the tables it renames.
// Only the forms the steps write are read in detail; any other DDL is
// kOther, and every statement that is not DDL is kNotDdl.
#ifndef SCHEMON_UPGRADE_DDL_STATEMENT_H_
#define SCHEMON_UPGRADE_DDL_STATEMENT_H_

#include <string>
#include <utility>
#include <vector>

// One column of a CREATE TABLE: its name and its type as written, reduced
// to the type word and its width ("varchar(63)", "integer").
struct ColumnSpec {
  std::string name;
  std::string type;
};

struct DdlStatement {
  enum Kind {
    kNotDdl,        // a statement that commits nothing on its own
    kCreateTable,   // table, columns
    kDropTable,     // table
    kAddColumn,     // table, name, type
    kDropColumn,    // table, name
    kModifyColumn,  // table, name, type
    kCreateIndex,   // table, name, unique, index_columns
    kDropIndex,     // table, name
    kRenameTables,  // renames, in order
    kOther,         // DDL of another form
  };
  Kind kind = kNotDdl;
  std::string table;
  std::string name;
  std::string type;
  bool unique = false;
  std::vector<ColumnSpec> columns;
  std::vector<std::string> index_columns;
  std::vector<std::pair<std::string, std::string>> renames;  // from, to
};

// Reads statement. Statements that start with CREATE, ALTER, DROP, RENAME or
// TRUNCATE are DDL; a DDL statement of a form not read in detail (several
// ALTER clauses, a key clause, a drop of several tables) is kOther.
DdlStatement ParseDdl(const std::string& statement);

// Returns the change the statement makes as a short text ("create table
// conditions", "add column items.instance"), the same whatever table
// options or blanks the statement carries; kOther gives its whole text with
// blanks folded.
std::string DdlIdentity(const DdlStatement& ddl, const std::string& statement);

// True when a and b change different objects, so that sending either of
// them again after both were carried out finds what it makes already there
// and changes nothing: statements on different tables, on columns of one
// table by different names, or on indexes of one table by different names.
// A change of a whole table (create, drop, rename) meets everything on that
// table, a column change meets every index change of its table, and DDL
// not read in detail meets everything.
bool DdlStatementsIndependent(const DdlStatement& a, const DdlStatement& b);

// Returns a column type in the form types are compared in: lower case,
// "integer" for int and integer (a display width dropped), "text" for
// text, mediumtext and longtext, a varchar or char with its width, any
// other type word as it is.
std::string LooseType(const std::string& type);

#endif  // SCHEMON_UPGRADE_DDL_STATEMENT_H_
