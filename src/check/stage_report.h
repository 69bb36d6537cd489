// The stage reporter of the check: the run-wide counters of inconsistencies
// found and corrected, the 78-character stage line with its coloured
// outcome word, and the question every inconsistency is reported with.
#ifndef SCHEMON_CHECK_STAGE_REPORT_H_
#define SCHEMON_CHECK_STAGE_REPORT_H_

#include <cstdint>

// Run-wide counters; they start at zero and are never reset (one command per
// process).
extern int32_t g_nIssuesFound;
extern int32_t g_nIssuesRepaired;
// Copies of the two counters taken by the last OpenStage.
extern int32_t g_nFoundAtStageOpen;
extern int32_t g_nRepairedAtStageOpen;
// The reporter's own copy of the current stage title (null before the
// first stage).
extern char* g_pszCurrentStageTitle;

enum StageOutcome {
  OUTCOME_PASSED = 0,
  OUTCOME_FIXED = 1,
  OUTCOME_ERROR = 2,
};

// One row of the outcome table: the 6-character status word and the console
// attribute it is written in.
struct StageOutcomeInfo {
  const char* word;
  int attribute;
};

// Indexed by StageOutcome.
extern const StageOutcomeInfo g_aStageOutcomes[3];

// Prints "* " and the title padded to 68 characters, leaving the line open,
// and takes the counter snapshots. A non-null title replaces the stored
// one; null prints the stored title again.
void OpenStage(const char* title);

// Prints the bracketed outcome of the stage opened last and ends the line.
// When the stage counted issues its questions have replaced the stage line,
// so the line is printed again first. A stage that met the loss of the
// connection ends "ERROR " on a line printed again.
void CloseStage();

// Counts one inconsistency, prints its question (a printf format that begins
// with "\r" and ends with "(Y/N) ") and asks it. Returns true for yes. Once
// the connection is lost it returns false at once, counting nothing.
bool AskAboutIssue(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

#endif  // SCHEMON_CHECK_STAGE_REPORT_H_
