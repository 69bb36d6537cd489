#include "transfer/node_tables.h"

#include <strings.h>

#include <cctype>

#include "db/driver/syntax.h"

namespace {

// Indexed by syntax code.
const char* const kTableListQueries[SYNTAX_COUNT] = {
    // SYNTAX_MYSQL: the current database only, no views.
    "SELECT table_name FROM information_schema.tables WHERE "
    "table_schema=DATABASE() AND table_type='BASE TABLE'",
    // SYNTAX_POSTGRESQL: the schema that unqualified names resolve to.
    "SELECT tablename FROM pg_tables WHERE schemaname=current_schema()",
    // SYNTAX_MSSQL: the user's default schema.
    "SELECT name FROM sys.tables WHERE schema_id=SCHEMA_ID()",
    // SYNTAX_ORACLE: the user's own tables, names in upper case.
    "SELECT table_name FROM user_tables",
    // SYNTAX_SQLITE
    "SELECT name FROM sqlite_master WHERE type='table'",
};

}  // namespace

const char* TableListQuery(int syntax) {
  if (syntax < 0 || syntax >= SYNTAX_COUNT) return nullptr;
  return kTableListQueries[syntax];
}

bool IsNodeDataTableName(const char* name) {
  static const char kPrefix[] = "idata_";
  if (strncasecmp(name, kPrefix, sizeof kPrefix - 1) != 0) return false;
  const char* digits = name + sizeof kPrefix - 1;
  if (*digits == 0) return false;
  for (const char* p = digits; *p != 0; p++) {
    if (!isdigit(static_cast<unsigned char>(*p))) return false;
  }
  return true;
}
