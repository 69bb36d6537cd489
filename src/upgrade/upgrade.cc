#include "upgrade/upgrade.h"

#include <cstdio>
#include <cstring>

#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"
#include "upgrade/step_resume.h"

namespace {

// True unless DBLockStatus holds something other than "UNLOCKED", as
// stored. A failed select or a missing row counts as unlocked.
bool DatabaseUnlocked() {
  db_result_t result =
      DBSelect(g_hDbConnection,
               "SELECT var_value FROM config WHERE var_name='DBLockStatus'");
  if (result == nullptr) return true;
  bool unlocked = true;
  if (DBGetNumRows(result) > 0) {
    char status[256];
    DBGetField(result, 0, 0, status, sizeof(status));
    unlocked = strcmp(status, "UNLOCKED") == 0;
  }
  DBFreeResult(result);
  return unlocked;
}

// Runs one step in a transaction of its own. A step counts as done only
// when its commit succeeded: a failed commit (PostgreSQL turns the COMMIT of
// an aborted transaction into ROLLBACK; MySQL loses a transaction to a
// deadlock) leaves the schema unchanged, so the run must stop there.
bool RunStepInTransaction(const UpgradeStep& step) {
  if (!DBBegin(g_hDbConnection)) {
    PrintQueryError(DBGetLastError(g_hDbConnection), "BEGIN");
    printf("Rolling back last stage due to upgrade errors...\n");
    return false;
  }
  if (RunResumableStep(step) == 0) {
    printf("Rolling back last stage due to upgrade errors...\n");
    DBRollback(g_hDbConnection);
    return false;
  }
  if (!DBCommit(g_hDbConnection)) {
    PrintQueryError(DBGetLastError(g_hDbConnection), "COMMIT");
    printf("Rolling back last stage due to upgrade errors...\n");
    DBRollback(g_hDbConnection);
    return false;
  }
  return true;
}

}  // namespace

const UpgradeStep* FindUpgradeStep(int version) {
  for (const UpgradeStep* step = g_upgradeSteps; step->procedure != nullptr;
       step++) {
    if (step->fromVersion == version) return step;
  }
  return nullptr;
}

void DoUpgrade() {
  printf("Upgrading database...\n");
  int version = DBGetSchemaVersion(g_hDbConnection);
  if (version == DB_FORMAT_VERSION) {
    printf("Your database format is up to date\n");
    return;
  }
  if (version > DB_FORMAT_VERSION) {
    PrintDatabaseTooNew(version);
    return;
  }
  if (!DatabaseUnlocked()) {
    printf("Database is locked\n");
    return;
  }
  while (version < DB_FORMAT_VERSION) {
    const UpgradeStep* step = FindUpgradeStep(version);
    if (step == nullptr) {
      printf("Unable to find upgrade procedure for version %d\n", version);
      break;
    }
    printf("Upgrading from version %d to %d\n", version, version + 1);
    fflush(stdout);
    if (!RunStepInTransaction(*step)) break;
    version++;
  }
  printf("Database upgrade %s\n",
         version == DB_FORMAT_VERSION ? "succeeded" : "failed");
}
