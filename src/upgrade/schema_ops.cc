#include "upgrade/schema_ops.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "db/exec.h"
#include "front/runtime/runtime.h"
#include "upgrade/dialect_ddl.h"

const char* const g_apszSqlTypes[SYNTAX_COUNT][2] = {
    {"text", "bigint"},         // MySQL
    {"varchar", "bigint"},      // PostgreSQL
    {"text", "bigint"},         // Microsoft SQL Server
    {"clob", "number(20)"},     // Oracle
    {"varchar", "number(20)"},  // SQLite
};

void ReplaceTypeMarkers(char* text) {
  int syntax = (g_nDbSyntax >= 0 && g_nDbSyntax < SYNTAX_COUNT) ? g_nDbSyntax
                                                                : SYNTAX_MYSQL;
  TranslateStr(text, "$SQL:TEXT", g_apszSqlTypes[syntax][0]);
  TranslateStr(text, "$SQL:INT64", g_apszSqlTypes[syntax][1]);
}

namespace {

// Replaces the markers of text and gives it the form of the database.
std::string PrepareStatement(const char* text) {
  std::vector<char> buffer(text, text + strlen(text) + 1);
  ReplaceTypeMarkers(buffer.data());
  return RewriteDdl(buffer.data(), g_nDbSyntax);
}

}  // namespace

bool RunScript(const char* script) {
  std::vector<char> buffer(script, script + strlen(script) + 1);
  ReplaceTypeMarkers(buffer.data());
  char* line = buffer.data();
  while (true) {
    char* end = strchr(line, '\n');
    if (end != nullptr) *end = 0;
    if (strcmp(line, "<END>") == 0) return true;
    std::string statement = RewriteDdl(line, g_nDbSyntax);
    if (!RunQuery(statement.c_str(), true) && !g_bContinueOnError) {
      return false;
    }
    // A script without its "<END>" line ends at its last statement and
    // counts as failed: it is outside the format.
    if (end == nullptr) return false;
    line = end + 1;
  }
}

bool AddTable(const char* ddl) {
  std::vector<char> buffer(ddl, ddl + strlen(ddl) + 1);
  ReplaceTypeMarkers(buffer.data());
  std::string statement = buffer.data();
  if (g_nDbSyntax == SYNTAX_MYSQL && g_pszTableOptions != nullptr) {
    statement += g_pszTableOptions;
  }
  statement = RewriteDdl(statement, g_nDbSyntax);
  return ExecQuery(statement.c_str());
}

bool AddServerVariable(const char* name, const char* value, int visible,
                       int restart, int overwrite) {
  std::string query =
      std::string("SELECT var_value FROM config WHERE var_name='") + name + "'";
  bool exists = false;
  db_result_t result = DBSelect(g_hDbConnection, query.c_str());
  if (result != nullptr) {
    exists = DBGetNumRows(result) > 0;
    DBFreeResult(result);
  }
  if (exists && !overwrite) return true;
  char* encoded = EncodeSQLString(value);
  String statement;
  if (exists) {
    statement.addFormattedString(
        "UPDATE config SET var_value='%s' WHERE var_name='%s'", encoded, name);
  } else {
    statement.addFormattedString(
        "INSERT INTO config (var_name,var_value,is_visible,need_server_restart)"
        " VALUES ('%s','%s',%d,%d)",
        name, encoded, visible, restart);
  }
  free(encoded);
  return ExecQuery(statement.str().c_str());
}

int g_nConvertBatchRows = 1000;

namespace {

// How each database limits a select to its first rows: text before the
// column list and text after ORDER BY, each taking the row count.
struct RowLimitForm {
  const char* head;
  const char* tail;
};
const RowLimitForm kRowLimitForms[SYNTAX_COUNT] = {
    {"", " LIMIT %d"},                  // MySQL
    {"", " LIMIT %d"},                  // PostgreSQL
    {"TOP %d ", ""},                    // Microsoft SQL Server
    {"", " FETCH FIRST %d ROWS ONLY"},  // Oracle
    {"", " LIMIT %d"},                  // SQLite
};

// Builds the select of one batch: the rows holding "#" in key order, after
// the key *after when it is set.
std::string BatchSelect(const char* table, const char* key_column,
                        const char* column, const int64_t* after) {
  const RowLimitForm& limit =
      kRowLimitForms[(g_nDbSyntax >= 0 && g_nDbSyntax < SYNTAX_COUNT)
                         ? g_nDbSyntax
                         : SYNTAX_MYSQL];
  String select;
  select.addFormattedString("SELECT ");
  select.addFormattedString(limit.head, g_nConvertBatchRows);
  select.addFormattedString("%s,%s FROM %s WHERE %s LIKE '%%#%%'", key_column,
                            column, table, column);
  if (after != nullptr) {
    select.addFormattedString(" AND %s>%" PRId64, key_column, *after);
  }
  select.addFormattedString(" ORDER BY %s", key_column);
  select.addFormattedString(limit.tail, g_nConvertBatchRows);
  return select.str();
}

// Statements sent in one round trip where the database takes lists.
const size_t kStatementsPerList = 100;
const size_t kListBytes = 1 << 20;

// Runs one statement already echoed; a failure is reported.
bool RunOneUpdate(const std::string& update) {
  char error[DBERR_BUFFER_SIZE] = "";
  if (DBQueryEx(g_hDbConnection, update.c_str(), error)) return true;
  PrintQueryError(error, update.c_str());
  return false;
}

// Runs the updates in order, each echoed as it is under -t, where the
// database takes them as lists of statements in one round trip. A list (or
// a single statement) that fails is run again statement by statement, so
// that the failing statement is reported with its own text: each sets a
// fixed value by its key, so a statement run twice leaves the same. A failed statement ends the updates,
// under -X only itself. Returns true when every update succeeded.
bool RunUpdates(const std::vector<std::string>& updates) {
  bool lists = DBRunsStatementLists(g_hDbConnection);
  bool all = true;
  size_t next = 0;
  while (next < updates.size()) {
    size_t end = next + 1;
    std::string list = updates[next];
    while (lists && end < updates.size() && end - next < kStatementsPerList &&
           list.size() + updates[end].size() < kListBytes) {
      list += ";\n" + updates[end++];
    }
    for (size_t i = next; i < end; i++) {
      if (g_bShowQueries) EchoQuery(updates[i].c_str());
    }
    // Through the statement runner, which sees every write of a step.
    if (!RunQuery(list.c_str(), false)) {
      for (size_t i = next; i < end; i++) {
        if (RunOneUpdate(updates[i])) continue;
        if (!g_bContinueOnError) return false;
        all = false;
      }
    }
    next = end;
  }
  return all;
}

}  // namespace

bool ConvertEscapedColumn(const char* table, const char* key_column,
                          const char* column) {
  String query;
  if (g_nDbSyntax == SYNTAX_MSSQL) {
    query.addFormattedString(
        "UPDATE %s SET %s='' WHERE CAST(%s AS nvarchar(max))=N'#00'", table,
        column, column);
  } else {
    query.addFormattedString("UPDATE %s SET %s='' WHERE %s='#00'", table,
                             column, column);
  }
  if (!ExecQuery(query.str().c_str())) return false;

  // The rows are read in batches in key order, so that memory stays bounded
  // however large the table is. A converted value may still hold "#" (from
  // "#23"): the next batch starts after the last key, never rereads it.
  int64_t last_key = 0;
  bool have_last = false;
  bool all_converted = true;
  while (true) {
    std::string select =
        BatchSelect(table, key_column, column, have_last ? &last_key : nullptr);
    db_result_t result = ExecSelect(select.c_str());
    if (result == nullptr) return false;
    int rows = DBGetNumRows(result);
    std::vector<std::string> updates;
    updates.reserve(rows);
    for (int i = 0; i < rows; i++) {
      int64_t key = DBGetFieldInt64(result, i, 0);
      std::string text = DBGetFieldString(result, i, 1);
      DecodeSQLString(&text[0]);
      text.resize(strlen(text.c_str()));
      String literal = DBPrepareString(g_hDbConnection, text.c_str());
      String update;
      update.addFormattedString("UPDATE %s SET %s=%s WHERE %s=%" PRId64, table,
                                column, literal.str().c_str(), key_column, key);
      updates.push_back(update.str());
      last_key = key;
      have_last = true;
    }
    DBFreeResult(result);
    if (!RunUpdates(updates)) {
      if (!g_bContinueOnError) return false;
      all_converted = false;
    }
    if (rows < g_nConvertBatchRows) return all_converted;
  }
}

namespace {

// Cuts UTF-8 text to its first max_chars characters.
void CutToCharacters(std::string* text, size_t max_chars) {
  size_t chars = 0;
  for (size_t i = 0; i < text->size(); i++) {
    if ((static_cast<unsigned char>((*text)[i]) & 0xC0) == 0x80) continue;
    if (chars == max_chars) {
      text->resize(i);
      return;
    }
    chars++;
  }
}

}  // namespace

bool MoveVariableToMetadata(const char* old_name, const char* new_name) {
  std::string query =
      std::string("SELECT var_value FROM config WHERE var_name='") + old_name +
      "'";
  db_result_t result = ExecSelect(query.c_str());
  if (result == nullptr) return false;
  if (DBGetNumRows(result) == 0) {
    DBFreeResult(result);
    return true;
  }
  // Decoded before it is cut, so that no escape is split; the cut keeps
  // the first 255 whole characters, what metadata's column holds.
  std::string value = DBGetFieldString(result, 0, 0);
  DBFreeResult(result);
  DecodeSQLString(&value[0]);
  value.resize(strlen(value.c_str()));
  CutToCharacters(&value, 255);
  String insert;
  insert.addFormattedString(
      "INSERT INTO metadata (var_name,var_value) VALUES ('%s',%s)", new_name,
      DBPrepareString(g_hDbConnection, value.c_str()).str().c_str());
  if (!ExecQuery(insert.str().c_str())) return false;
  std::string remove =
      std::string("DELETE FROM config WHERE var_name='") + old_name + "'";
  return ExecQuery(remove.c_str());
}

bool SetSchemaVersion(int version) {
  char query[256];
  if (version <= 86) {
    snprintf(
        query, sizeof(query),
        "UPDATE config SET var_value='%d' WHERE var_name='DBFormatVersion'",
        version);
  } else {
    snprintf(
        query, sizeof(query),
        "UPDATE metadata SET var_value='%d' WHERE var_name='SchemaVersion'",
        version);
  }
  return ExecQuery(query);
}

const char* StatementForSyntax(const SyntaxStatement& statement) {
  if (g_nDbSyntax < 0 || g_nDbSyntax >= SYNTAX_COUNT) return nullptr;
  return statement.forms[g_nDbSyntax];
}

bool RunForSyntax(const SyntaxStatement& statement) {
  const char* form = StatementForSyntax(statement);
  if (form == nullptr) return true;
  return ExecQuery(PrepareStatement(form).c_str());
}

bool ExecDdl(const char* statement) {
  return ExecQuery(PrepareStatement(statement).c_str());
}
