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

// A policy list whose rows refer to other rows by an integer id: the list
// select, the lookup of the referred row, the question and the repair, each
// taking the id.
struct PolicyReference {
  const char* list_select;
  const char* lookup_format;
  const char* question_format;
  const char* delete_format;
};

const PolicyReference kSourceObjects = {
    "SELECT object_id FROM policy_source_list",
    "SELECT object_id FROM object_properties WHERE object_id=%d",
    "\rInvalid object ID %d used. Correct? (Y/N) ",
    "DELETE FROM policy_source_list WHERE object_id=%d"};

const PolicyReference kActions = {
    "SELECT action_id FROM policy_action_list",
    "SELECT action_id FROM actions WHERE action_id=%d",
    "\rInvalid action ID %d used. Correct? (Y/N) ",
    "DELETE FROM policy_action_list WHERE action_id=%d"};

void VerifyReferences(const PolicyReference& list) {
  db_result_t rows = ExecSelect(list.list_select);
  if (rows == nullptr) return;
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count && !ConnectionLost(); i++) {
    int id = static_cast<int>(DBGetFieldULong(rows, i, 0));
    char query[1024];
    snprintf(query, sizeof query, list.lookup_format, id);
    if (SelectReturnsRows(query)) continue;
    if (!AskAboutIssue(list.question_format, id)) continue;
    snprintf(query, sizeof query, list.delete_format, id);
    if (ExecQuery(query)) g_nIssuesRepaired++;
  }
  DBFreeResult(rows);
}

void VerifyEvents() {
  db_result_t rows = ExecSelect("SELECT event_code FROM policy_event_list");
  if (rows == nullptr) return;
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count && !ConnectionLost(); i++) {
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

}  // namespace

void VerifyEventPolicy(const char* title) {
  OpenStage(title);
  VerifyReferences(kSourceObjects);
  VerifyEvents();
  VerifyReferences(kActions);
  CloseStage();
}
