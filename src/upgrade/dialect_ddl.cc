#include "upgrade/dialect_ddl.h"

#include <strings.h>

#include <cstring>

#include "db/driver/syntax.h"

namespace {

// MySQL 5.5 and later, and MariaDB, refuse the old table option TYPE=.
struct TableOptionForm {
  const char* old_form;
  const char* new_form;
};
const TableOptionForm kTableOptionForms[] = {
    {"TYPE=InnoDB", "ENGINE=InnoDB"},
    {"TYPE=MyISAM", "ENGINE=MyISAM"},
};

}  // namespace

std::string RewriteDdl(const std::string& statement, int syntax) {
  if (syntax != SYNTAX_MYSQL) return statement;
  size_t at = statement.find_first_not_of(' ');
  if (at == std::string::npos ||
      strncasecmp(statement.c_str() + at, "CREATE TABLE ", 13) != 0) {
    return statement;
  }
  // Only the options after the closing parenthesis of the column list.
  size_t tail = statement.rfind(')');
  if (tail == std::string::npos) return statement;
  std::string result = statement;
  for (const TableOptionForm& form : kTableOptionForms) {
    size_t found = result.find(form.old_form, tail);
    while (found != std::string::npos) {
      result.replace(found, strlen(form.old_form), form.new_form);
      found = result.find(form.old_form, found + strlen(form.new_form));
    }
  }
  return result;
}
