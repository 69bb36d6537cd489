// Stage 7: the three lists of the event processing policy must refer to
// existing objects, events or event groups, and actions.

#include <cstdint>
#include <cstdio>

#include "check/lookups.h"
#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

namespace {

// An event code with this bit set is the id of an event group.
const uint32_t kEventGroupBit = 0x80000000u;

void VerifySourceObjects() {
  db_result_t rows = ExecSelect("SELECT object_id FROM policy_source_list");
  if (rows == nullptr) return;
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    int id = static_cast<int>(DBGetFieldULong(rows, i, 0));
    char query[1024];
    snprintf(query, sizeof query,
             "SELECT object_id FROM object_properties WHERE object_id=%d", id);
    if (SelectReturnsRows(query)) continue;
    if (!AskAboutIssue("\rInvalid object ID %d used. Correct? (Y/N) ", id)) {
      continue;
    }
    snprintf(query, sizeof query,
             "DELETE FROM policy_source_list WHERE object_id=%d", id);
    if (ExecQuery(query)) g_nIssuesRepaired++;
  }
  DBFreeResult(rows);
}

void VerifyEvents() {
  db_result_t rows = ExecSelect("SELECT event_code FROM policy_event_list");
  if (rows == nullptr) return;
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    uint32_t code = DBGetFieldULong(rows, i, 0);
    bool group = (code & kEventGroupBit) != 0;
    char query[1024];
    snprintf(query, sizeof query,
             group ? "SELECT id FROM event_groups WHERE id=%d"
                   : "SELECT event_code FROM event_cfg WHERE event_code=%d",
             static_cast<int>(code));
    if (SelectReturnsRows(query)) continue;
    if (!AskAboutIssue("\rInvalid event%s ID 0x%08X used. Correct? (Y/N) ",
                       group ? " group" : "", code)) {
      continue;
    }
    snprintf(query, sizeof query,
             "DELETE FROM policy_event_list WHERE event_code=%d",
             static_cast<int>(code));
    if (ExecQuery(query)) g_nIssuesRepaired++;
  }
  DBFreeResult(rows);
}

void VerifyActions() {
  db_result_t rows = ExecSelect("SELECT action_id FROM policy_action_list");
  if (rows == nullptr) return;
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    int id = static_cast<int>(DBGetFieldULong(rows, i, 0));
    char query[1024];
    snprintf(query, sizeof query,
             "SELECT action_id FROM actions WHERE action_id=%d", id);
    if (SelectReturnsRows(query)) continue;
    if (!AskAboutIssue("\rInvalid action ID %d used. Correct? (Y/N) ", id)) {
      continue;
    }
    snprintf(query, sizeof query,
             "DELETE FROM policy_action_list WHERE action_id=%d", id);
    if (ExecQuery(query)) g_nIssuesRepaired++;
  }
  DBFreeResult(rows);
}

}  // namespace

void VerifyEventPolicy(const char* title) {
  OpenStage(title);
  VerifySourceObjects();
  VerifyEvents();
  VerifyActions();
  CloseStage();
}
