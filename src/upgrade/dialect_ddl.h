// The forms the DDL of the upgrade steps takes on the database it runs on.
// Each difference is one table of rewrites: MySQL servers from 5.5 on only
// accept ENGINE= where the table options say TYPE=, and on MySQL/MariaDB,
// where every DDL statement commits on its own, the IF [NOT] EXISTS forms
// let a rerun of a step that failed halfway skip what was already committed.
#ifndef SCHEMON_UPGRADE_DIALECT_DDL_H_
#define SCHEMON_UPGRADE_DIALECT_DDL_H_

#include <string>

// What the rewrites need to know about the connected database.
struct DdlDialect {
  int syntax;    // the syntax code
  bool mariadb;  // a MariaDB server (its DDL has more IF [NOT] EXISTS forms)
};

// Returns statement in the form the database of dialect needs. Statements
// other than CREATE, ALTER and DROP, and every statement on databases
// without a rewrite, come back unchanged.
std::string RewriteDdl(const std::string& statement, const DdlDialect& dialect);

// Returns the dialect of g_hDbConnection for g_nDbSyntax. On MySQL it asks
// the server for its version, silently, once per connection.
DdlDialect ConnectedDialect();

#endif  // SCHEMON_UPGRADE_DIALECT_DDL_H_
