#include "check/check.h"

#include <cstdio>

#include "check/stage_report.h"
#include "check/stages.h"
#include "db/console.h"
#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"

namespace {

struct CheckStage {
  const char* title;  // the stage line's title (a format for components)
  void (*procedure)(const char* title);
};

const CheckStage kCheckStages[] = {
    {"Checking node objects...", VerifyNodeObjects},
    {"Checking %s objects...", VerifyInterfaceObjects},
    {"Checking %s objects...", VerifyNetworkServiceObjects},
    {"Checking cluster objects...", VerifyClusterMembers},
    {"Checking template to node mapping...", VerifyTemplateMappings},
    {"Checking object properties...", VerifyObjectTimestamps},
    {"Checking event processing policy...", VerifyEventPolicy},
    {"Checking collected data...", VerifyCollectedData},
};

// Prints the counts, then commits or rolls back the check's transaction.
// Returns false when the commit failed.
bool FinishTransaction() {
  if (g_nIssuesFound == 0) {
    printf("Database doesn't contain any errors\n");
    DBCommit(g_hDbConnection);
    return true;
  }
  printf("%d errors was found, %d errors was corrected\n", g_nIssuesFound,
         g_nIssuesRepaired);
  fputs(g_nIssuesRepaired == g_nIssuesFound
            ? "All errors in database was fixed\n"
            : "Database still contain errors\n",
        stdout);
  if (g_nIssuesRepaired <= 0) {
    DBRollback(g_hDbConnection);
    return true;
  }
  printf("Commit changes (Y/N) ");
  if (!AskYesNo()) {
    printf("Rolling back changes...\n");
    if (DBRollback(g_hDbConnection)) {
      printf("All changes made to database was cancelled\n");
    }
    return true;
  }
  printf("Committing changes...\n");
  if (DBCommit(g_hDbConnection)) {
    printf("Changes was successfully committed to database\n");
    return true;
  }
  printf("ERROR: cannot commit changes, the database was not changed\n");
  PrintDatabaseText(DBGetLastError(g_hDbConnection));
  // A database that keeps the transaction open after a failed commit must
  // not commit it later.
  DBRollback(g_hDbConnection);
  return false;
}

}  // namespace

void DoCheck() {
  printf("Checking database:\n");
  if (!CheckSchemaVersion()) {
    printf("Database check %s\n", "aborted");
    return;
  }
  char status[LOCK_TEXT_SIZE], info[LOCK_TEXT_SIZE];
  if (ReadLockStatus(status, info) && !AskAndRemoveLock(status, info)) {
    printf("Database check %s\n", "aborted");
    return;
  }
  // The forced unlock above stays whatever the transaction's fate.
  if (!DBBegin(g_hDbConnection)) {
    // Without the transaction every repair would stay at once, whatever
    // the answer to the commit question.
    printf("ERROR: cannot start transaction\n");
    PrintDatabaseText(DBGetLastError(g_hDbConnection));
    printf("Database check %s\n", "aborted");
    return;
  }
  for (const CheckStage& stage : kCheckStages) {
    stage.procedure(stage.title);
    // Nothing more reaches the database, and the server has dropped the
    // transaction with every repair made so far.
    if (ConnectionLost()) {
      printf("Database check %s\n", "aborted");
      return;
    }
  }
  bool committed = FinishTransaction();
  printf("Database check %s\n", committed ? "completed" : "aborted");
}
