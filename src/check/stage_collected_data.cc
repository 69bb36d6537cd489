// Stage 8: collected data stamped in the future, in every node's data table
// and in the last poll times of the raw values. One moment, read when the
// stage starts, is "now" for every comparison and repair.

#include <cstdio>
#include <ctime>

#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

namespace {

// Returns the count a "SELECT count(*)" query gives, or 0 when it fails.
int32_t SelectCount(const char* query) {
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return 0;
  int32_t count = DBGetNumRows(result) > 0 ? DBGetFieldLong(result, 0, 0) : 0;
  DBFreeResult(result);
  return count;
}

void VerifyNodeData(unsigned int now) {
  db_result_t nodes = ExecSelect("SELECT id FROM nodes");
  if (nodes == nullptr) return;
  int count = DBGetNumRows(nodes);
  for (int i = 0; i < count && !ConnectionLost(); i++) {
    int node_id = static_cast<int>(DBGetFieldULong(nodes, i, 0));
    char query[1024];
    snprintf(query, sizeof query,
             "SELECT count(*) FROM idata_%d WHERE idata_timestamp>%u", node_id,
             now);
    if (SelectCount(query) <= 0) continue;
    if (!AskAboutIssue("\rFound collected data for node [%d] with timestamp "
                       "in the future. Correct? (Y/N) ",
                       node_id)) {
      continue;
    }
    snprintf(query, sizeof query,
             "DELETE FROM idata_%d WHERE idata_timestamp>%u", node_id, now);
    if (ExecQuery(query)) g_nIssuesRepaired++;
  }
  DBFreeResult(nodes);
}

void VerifyPollTimes(unsigned int now) {
  char query[1024];
  snprintf(query, sizeof query,
           "SELECT count(*) FROM raw_dci_values WHERE last_poll_time>%u", now);
  if (SelectCount(query) <= 0) return;
  if (!AskAboutIssue("\rFound DCIs with last poll timestamp in the future. "
                     "Correct? (Y/N) ")) {
    return;
  }
  snprintf(query, sizeof query,
           "UPDATE raw_dci_values SET last_poll_time=%u WHERE "
           "last_poll_time>%u",
           now, now);
  if (ExecQuery(query)) g_nIssuesRepaired++;
}

}  // namespace

void VerifyCollectedData(const char* title) {
  OpenStage(title);
  unsigned int now = static_cast<unsigned int>(time(nullptr));
  VerifyNodeData(now);
  VerifyPollTimes(now);
  CloseStage();
}
