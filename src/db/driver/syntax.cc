#include "db/driver/syntax.h"

#include <cstring>

namespace {
const char* const kSyntaxNames[SYNTAX_COUNT] = {"MYSQL", "PGSQL", "MSSQL",
                                                "ORACLE", "SQLITE"};
}  // namespace

int SyntaxFromName(const char* name) {
  for (int i = 0; i < SYNTAX_COUNT; i++) {
    if (strcmp(name, kSyntaxNames[i]) == 0) return i;
  }
  return -1;
}

const char* SyntaxName(int code) {
  return (code >= 0 && code < SYNTAX_COUNT) ? kSyntaxNames[code] : "";
}
