#include "upgrade/dialect_ddl.h"

#include <strings.h>

#include <cctype>
#include <cstring>

#include "db/driver/driver.h"
#include "front/globals.h"

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

// Statements that take "IF [NOT] EXISTS" right after their leading words on
// MySQL (mariadb_only false) or on MariaDB only.
struct StatementForm {
  const char* prefix;
  const char* insert;
  bool mariadb_only;
};
const StatementForm kStatementForms[] = {
    {"CREATE TABLE ", "IF NOT EXISTS ", false},
    {"DROP TABLE ", "IF EXISTS ", false},
    {"CREATE INDEX ", "IF NOT EXISTS ", true},
    {"CREATE UNIQUE INDEX ", "IF NOT EXISTS ", true},
    {"DROP INDEX ", "IF EXISTS ", true},
};

// Words after ADD, DROP or CHANGE that do not start a column name.
const char* const kNotAColumn[] = {
    "PRIMARY", "CONSTRAINT", "UNIQUE",  "FOREIGN", "INDEX",
    "KEY",     "FULLTEXT",   "SPATIAL", "CHECK",   "PARTITION",
    "PERIOD",  "SYSTEM",     "COLUMN",  "IF",      nullptr,
};

// Clauses of ALTER TABLE that take "IF [NOT] EXISTS" after their keyword on
// MariaDB. The first entry whose keyword starts the clause applies; with
// refused set, it does not apply when the next word is one of them.
struct ClauseForm {
  const char* keyword;
  const char* insert;
  const char* const* refused;
};
const ClauseForm kAlterClauseForms[] = {
    {"ADD COLUMN ", "IF NOT EXISTS ", nullptr},
    {"ADD INDEX ", "IF NOT EXISTS ", nullptr},
    {"ADD KEY ", "IF NOT EXISTS ", nullptr},
    {"ADD ", "IF NOT EXISTS ", kNotAColumn},
    {"DROP COLUMN ", "IF EXISTS ", nullptr},
    {"DROP INDEX ", "IF EXISTS ", nullptr},
    {"DROP KEY ", "IF EXISTS ", nullptr},
    {"DROP ", "IF EXISTS ", kNotAColumn},
    {"CHANGE COLUMN ", "IF EXISTS ", nullptr},
    {"CHANGE ", "IF EXISTS ", kNotAColumn},
};

bool StartsWithNoCase(const std::string& text, size_t at, const char* prefix) {
  size_t n = strlen(prefix);
  return text.size() >= at + n &&
         strncasecmp(text.c_str() + at, prefix, n) == 0;
}

// True when the word at `at` is one of words (case-insensitive); "(" counts
// as a word of its own.
bool WordIsOneOf(const std::string& text, size_t at, const char* const* words) {
  if (at < text.size() && text[at] == '(') return true;
  size_t end = at;
  while (end < text.size() &&
         (isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
    end++;
  }
  for (const char* const* w = words; *w != nullptr; w++) {
    if (end - at == strlen(*w) &&
        strncasecmp(text.c_str() + at, *w, end - at) == 0) {
      return true;
    }
  }
  return false;
}

size_t SkipBlanks(const std::string& text, size_t at) {
  while (at < text.size() && text[at] == ' ') at++;
  return at;
}

std::string RewriteTableOptions(std::string statement) {
  // Only the options after the closing parenthesis of the column list.
  size_t tail = statement.rfind(')');
  if (tail == std::string::npos) return statement;
  for (const TableOptionForm& form : kTableOptionForms) {
    size_t at = statement.find(form.old_form, tail);
    while (at != std::string::npos) {
      statement.replace(at, strlen(form.old_form), form.new_form);
      at = statement.find(form.old_form, at + strlen(form.new_form));
    }
  }
  return statement;
}

std::string RewriteAlterClause(const std::string& clause) {
  size_t at = SkipBlanks(clause, 0);
  for (const ClauseForm& form : kAlterClauseForms) {
    if (!StartsWithNoCase(clause, at, form.keyword)) continue;
    size_t next = SkipBlanks(clause, at + strlen(form.keyword));
    // A clause such as "DROP PRIMARY KEY" has no IF form: leave it.
    if (form.refused != nullptr && WordIsOneOf(clause, next, form.refused)) {
      return clause;
    }
    if (StartsWithNoCase(clause, next, "IF ")) return clause;
    return clause.substr(0, next) + form.insert + clause.substr(next);
  }
  return clause;
}

// "ALTER TABLE name clause, clause, ...": every clause gets its form.
std::string RewriteAlter(const std::string& statement) {
  size_t name = SkipBlanks(statement, strlen("ALTER TABLE "));
  size_t after_name = statement.find(' ', name);
  if (after_name == std::string::npos) return statement;
  std::string out = statement.substr(0, after_name + 1);
  size_t start = after_name + 1;
  int depth = 0;
  bool quoted = false;
  for (size_t i = start; i <= statement.size(); i++) {
    char c = i < statement.size() ? statement[i] : ',';
    if (quoted) {
      if (c == '\'') quoted = false;
      if (i < statement.size()) continue;
    }
    if (c == '\'') {
      quoted = true;
    } else if (c == '(') {
      depth++;
    } else if (c == ')') {
      depth--;
    } else if (c == ',' && depth <= 0) {
      out += RewriteAlterClause(statement.substr(start, i - start));
      if (i < statement.size()) out += ',';
      start = i + 1;
    }
  }
  return out;
}

}  // namespace

std::string RewriteDdl(const std::string& statement,
                       const DdlDialect& dialect) {
  if (dialect.syntax != SYNTAX_MYSQL) return statement;
  size_t at = SkipBlanks(statement, 0);
  for (const StatementForm& form : kStatementForms) {
    if (form.mariadb_only && !dialect.mariadb) continue;
    if (!StartsWithNoCase(statement, at, form.prefix)) continue;
    size_t next = SkipBlanks(statement, at + strlen(form.prefix));
    std::string result = statement;
    if (!StartsWithNoCase(statement, next, "IF ")) {
      result = statement.substr(0, next) + form.insert + statement.substr(next);
    }
    if (StartsWithNoCase(statement, at, "CREATE TABLE ")) {
      result = RewriteTableOptions(result);
    }
    return result;
  }
  if (dialect.mariadb && StartsWithNoCase(statement, at, "ALTER TABLE ")) {
    return RewriteAlter(statement);
  }
  return statement;
}

DdlDialect ConnectedDialect() {
  DdlDialect dialect{g_nDbSyntax, false};
  if (g_nDbSyntax != SYNTAX_MYSQL) return dialect;
  // The server's kind is asked once per connection, not before every DDL
  // statement of an upgrade.
  static db_handle_t asked_connection = nullptr;
  static bool asked_mariadb = false;
  if (asked_connection == g_hDbConnection && g_hDbConnection != nullptr) {
    dialect.mariadb = asked_mariadb;
    return dialect;
  }
  db_result_t result = DBSelect(g_hDbConnection, "SELECT VERSION()");
  if (result == nullptr) return dialect;
  if (DBGetNumRows(result) > 0) {
    dialect.mariadb = strcasestr(DBGetFieldString(result, 0, 0).c_str(),
                                 "mariadb") != nullptr;
  }
  DBFreeResult(result);
  asked_connection = g_hDbConnection;
  asked_mariadb = dialect.mariadb;
  return dialect;
}
