// The form the DDL of the upgrade steps takes on the database it runs on:
// MySQL servers from 5.5 on, and MariaDB, only accept ENGINE= where the
// table options say TYPE=. Every other statement is sent as written.
#ifndef SCHEMON_UPGRADE_DIALECT_DDL_H_
#define SCHEMON_UPGRADE_DIALECT_DDL_H_

#include <string>

// Returns statement in the form the database of syntax code `syntax`
// needs: on MySQL the table options of a CREATE TABLE in the ENGINE= form;
// everything else unchanged.
std::string RewriteDdl(const std::string& statement, int syntax);

#endif  // SCHEMON_UPGRADE_DIALECT_DDL_H_
