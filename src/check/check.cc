#include "check/check.h"

#include <cstdio>

#include "check/stage_report.h"
#include "check/stages.h"
#include "db/console.h"
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
void FinishTransaction() {
  if (g_nIssuesFound == 0) {
    printf("Database doesn't contain any errors\n");
    DBCommit(g_hDbConnection);
    return;
  }
  printf("%d errors was found, %d errors was corrected\n", g_nIssuesFound,
         g_nIssuesRepaired);
  fputs(g_nIssuesRepaired == g_nIssuesFound
            ? "All errors in database was fixed\n"
            : "Database still contain errors\n",
        stdout);
  if (g_nIssuesRepaired <= 0) {
    DBRollback(g_hDbConnection);
    return;
  }
  printf("Commit changes (Y/N) ");
  if (AskYesNo()) {
    printf("Committing changes...\n");
    if (DBCommit(g_hDbConnection)) {
      printf("Changes was successfully committed to database\n");
    }
  } else {
    printf("Rolling back changes...\n");
    if (DBRollback(g_hDbConnection)) {
      printf("All changes made to database was cancelled\n");
    }
  }
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
  DBBegin(g_hDbConnection);
  for (const CheckStage& stage : kCheckStages) stage.procedure(stage.title);
  FinishTransaction();
  printf("Database check %s\n", "completed");
}
