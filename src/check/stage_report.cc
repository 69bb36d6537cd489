#include "check/stage_report.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "db/console.h"
#include "db/exec.h"

int32_t g_nIssuesFound = 0;
int32_t g_nIssuesRepaired = 0;
int32_t g_nFoundAtStageOpen = 0;
int32_t g_nRepairedAtStageOpen = 0;
char* g_pszCurrentStageTitle = nullptr;

const StageOutcomeInfo g_aStageOutcomes[3] = {
    {"PASSED", CONSOLE_GREEN},
    {"FIXED ", CONSOLE_YELLOW},
    {"ERROR ", CONSOLE_RED},
};

void OpenStage(const char* title) {
  if (title != nullptr) {
    free(g_pszCurrentStageTitle);
    g_pszCurrentStageTitle = strdup(title);
  }
  SetConsoleColor(CONSOLE_WHITE);
  fputs("*", stdout);
  SetConsoleColor(CONSOLE_NORMAL);
  printf(" %-68s",
         g_pszCurrentStageTitle != nullptr ? g_pszCurrentStageTitle : "");
  g_nFoundAtStageOpen = g_nIssuesFound;
  g_nRepairedAtStageOpen = g_nIssuesRepaired;
}

void CloseStage() {
  int32_t found = g_nIssuesFound - g_nFoundAtStageOpen;
  StageOutcome outcome = OUTCOME_PASSED;
  if (ConnectionLost()) {
    // The stage did not finish its lookups; the report of the loss stands
    // between the title and here.
    outcome = OUTCOME_ERROR;
    OpenStage(nullptr);
  } else if (found > 0) {
    outcome = g_nIssuesRepaired - g_nRepairedAtStageOpen == found
                  ? OUTCOME_FIXED
                  : OUTCOME_ERROR;
    OpenStage(nullptr);
  }
  SetConsoleColor(CONSOLE_WHITE);
  fputs("[", stdout);
  SetConsoleColor(g_aStageOutcomes[outcome].attribute);
  printf("%s", g_aStageOutcomes[outcome].word);
  SetConsoleColor(CONSOLE_WHITE);
  fputs("]", stdout);
  SetConsoleColor(CONSOLE_NORMAL);
  printf("\n");
}

bool AskAboutIssue(const char* format, ...) {
  // A lookup that failed for the lost connection reads as a missing row:
  // that is no inconsistency.
  if (ConnectionLost()) return false;
  g_nIssuesFound++;
  va_list args;
  va_start(args, format);
  vprintf(format, args);
  va_end(args);
  return AskYesNo();
}
