#include "check/lookups.h"

#include <cstdio>

#include "check/stage_report.h"
#include "db/exec.h"

bool SelectReturnsRows(const char* query) {
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return false;
  bool found = DBGetNumRows(result) > 0;
  DBFreeResult(result);
  return found;
}

bool HasContainerMembership(int object_id) {
  char query[256];
  snprintf(query, sizeof query,
           "SELECT container_id FROM container_members WHERE object_id=%d",
           object_id);
  return SelectReturnsRows(query);
}

bool NodeRowExists(int node_id) {
  char query[256];
  snprintf(query, sizeof query, "SELECT id FROM nodes WHERE id=%d", node_id);
  return SelectReturnsRows(query);
}

char* LookUpObjectName(int object_id, char* buffer) {
  char query[256];
  snprintf(query, sizeof query,
           "SELECT name FROM object_properties WHERE object_id=%d", object_id);
  db_result_t result = ExecSelect(query);
  if (result != nullptr && DBGetNumRows(result) > 0) {
    DBGetField(result, 0, 0, buffer, OBJECT_NAME_SIZE);
  } else {
    snprintf(buffer, OBJECT_NAME_SIZE, "%s", "<unknown>");
  }
  if (result != nullptr) DBFreeResult(result);
  return buffer;
}

void VerifyObjectProperties(const char* kind, int id, char* name,
                            bool* deleted) {
  name[0] = 0;
  if (deleted != nullptr) *deleted = false;
  char query[1024];
  snprintf(query, sizeof query,
           "SELECT name,is_deleted FROM object_properties WHERE object_id=%d",
           id);
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return;
  bool found = DBGetNumRows(result) > 0;
  if (found) {
    DBGetField(result, 0, 0, name, OBJECT_NAME_SIZE);
    if (deleted != nullptr) *deleted = DBGetFieldLong(result, 0, 1) != 0;
  }
  DBFreeResult(result);
  if (found) return;
  if (AskAboutIssue("\rMissing %s object %d properties. Create? (Y/N) ", kind,
                    id)) {
    snprintf(query, sizeof query,
             "INSERT INTO object_properties (object_id,name,status,is_deleted,"
             "inherit_access_rights,last_modified,status_calc_alg,"
             "status_prop_alg,status_fixed_val,status_shift,"
             "status_translation,status_single_threshold,status_thresholds,"
             "comments) "
             "VALUES (%d,'lost_%s_%d',5,0,1,0,0,0,0,0,0,0,'00000000','#00')",
             id, kind, id);
    if (ExecQuery(query)) g_nIssuesRepaired++;
  }
}
