// Database syntax codes and their names as stored in the database.
// The code decides the few statements whose dialects differ.
#ifndef SCHEMON_DB_DRIVER_SYNTAX_H_
#define SCHEMON_DB_DRIVER_SYNTAX_H_

#define SYNTAX_MYSQL 0
#define SYNTAX_POSTGRESQL 1
#define SYNTAX_MSSQL 2
#define SYNTAX_ORACLE 3
#define SYNTAX_SQLITE 4
#define SYNTAX_COUNT 5

// Returns the code for a stored syntax name ("MYSQL", "PGSQL", "MSSQL",
// "ORACLE", "SQLITE"; exact, upper case), or -1 for any other text.
int SyntaxFromName(const char* name);

// Returns the stored name of a syntax code, or "" for an invalid code.
const char* SyntaxName(int code);

#endif  // SCHEMON_DB_DRIVER_SYNTAX_H_
