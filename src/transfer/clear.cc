#include "transfer/clear.h"

#include <cstdio>
#include <string>
#include <vector>

#include "db/console.h"
#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"
#include "transfer/core_tables.h"
#include "transfer/node_tables.h"

namespace {

// -X passes over a failed statement, but not over a lost connection.
bool GoOnAfterFailure() { return g_bContinueOnError && !ConnectionLost(); }

}  // namespace

bool DropNodeDataTables() {
  const char* list = TableListQuery(g_nDbSyntax);
  db_result_t result = list != nullptr ? ExecSelect(list) : nullptr;
  if (result == nullptr) return GoOnAfterFailure();
  std::vector<std::string> tables;
  for (int i = 0; i < DBGetNumRows(result); i++) {
    std::string name = DBGetFieldString(result, i, 0);
    if (IsNodeDataTableName(name.c_str())) tables.push_back(name);
  }
  DBFreeResult(result);
  for (const std::string& table : tables) {
    std::string query = "DROP TABLE " + table;
    if (!ExecQuery(query.c_str()) && !GoOnAfterFailure()) return false;
  }
  return true;
}

bool DeleteCoreTableRows() {
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    char query[256];
    snprintf(query, sizeof query, "DELETE FROM %s", g_apszCoreTables[i]);
    if (!ExecQuery(query) && !GoOnAfterFailure()) return false;
  }
  return true;
}

bool ClearValidatedDatabase() {
  printf(
      "\n\nWARNING!!!\nThis operation will clear all configuration and "
      "collected data from database.\nAre you sure (y/N)?");
  fflush(stdout);
  if (!AskYesNo()) return false;
  if (!DBBegin(g_hDbConnection)) {
    printf("ERROR: cannot start transaction\n");
    PrintDatabaseText(DBGetLastError(g_hDbConnection));
    return false;
  }
  if (!DropNodeDataTables() || !DeleteCoreTableRows()) {
    DBRollback(g_hDbConnection);
    return false;
  }
  if (!DBCommit(g_hDbConnection)) {
    printf("ERROR: cannot commit transaction\n");
    PrintDatabaseText(DBGetLastError(g_hDbConnection));
    return false;
  }
  printf("Database successfully cleared\n");
  return true;
}

bool ClearDatabase() {
  return CheckSchemaAndLock() && ClearValidatedDatabase();
}
