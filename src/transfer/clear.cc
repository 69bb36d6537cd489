#include "transfer/clear.h"

#include <cstdio>

#include "db/console.h"
#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"
#include "transfer/core_tables.h"

bool DropNodeDataTables() {
  db_result_t result = ExecSelect("SELECT id FROM nodes");
  if (result == nullptr) return g_bContinueOnError != 0;
  int rows = DBGetNumRows(result);
  for (int i = 0; i < rows; i++) {
    char query[256];
    snprintf(query, sizeof query, "DROP TABLE idata_%d",
             static_cast<int>(DBGetFieldULong(result, i, 0)));
    if (!ExecQuery(query) && !g_bContinueOnError) {
      DBFreeResult(result);
      return false;
    }
  }
  DBFreeResult(result);
  return true;
}

bool DeleteCoreTableRows() {
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    char query[256];
    snprintf(query, sizeof query, "DELETE FROM %s", g_apszCoreTables[i]);
    if (!ExecQuery(query) && !g_bContinueOnError) return false;
  }
  return true;
}

bool ClearDatabase() {
  if (!CheckSchemaAndLock()) return false;
  printf(
      "\n\nWARNING!!!\nThis operation will clear all configuration and "
      "collected data from database.\nAre you sure (y/N)?");
  fflush(stdout);
  if (!AskYesNo()) return false;
  if (!DBBegin(g_hDbConnection)) {
    printf("ERROR: cannot start transaction\n");
    return false;
  }
  if (!DropNodeDataTables() || !DeleteCoreTableRows()) {
    DBRollback(g_hDbConnection);
    return false;
  }
  if (!DBCommit(g_hDbConnection)) {
    printf("ERROR: cannot commit transaction\n");
    return false;
  }
  printf("Database successfully cleared\n");
  return true;
}
