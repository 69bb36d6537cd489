// Stages 2 and 3: interfaces and network services. Each component needs its
// properties row and a node that is a live object.

#include <cstdio>

#include "check/lookups.h"
#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

namespace {

// Looks up the component's name, offering to create its properties row
// when there is none. The name stays empty when the select fails or the row
// was missing.
void VerifyComponentProperties(const char* kind, int id, char* name) {
  name[0] = 0;
  char query[1024];
  snprintf(query, sizeof query,
           "SELECT name,is_deleted FROM object_properties WHERE object_id=%d",
           id);
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return;
  bool found = DBGetNumRows(result) > 0;
  if (found) DBGetField(result, 0, 0, name, OBJECT_NAME_SIZE);
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

}  // namespace

void VerifyComponentObjects(const char* title, const char* kind,
                            const char* table) {
  char stage_title[256];
  snprintf(stage_title, sizeof stage_title, title, kind);
  OpenStage(stage_title);
  char query[1024];
  snprintf(query, sizeof query, "SELECT id,node_id FROM %s", table);
  db_result_t rows = ExecSelect(query);
  if (rows != nullptr) {
    int count = DBGetNumRows(rows);
    for (int i = 0; i < count; i++) {
      int id = static_cast<int>(DBGetFieldULong(rows, i, 0));
      char name[OBJECT_NAME_SIZE];
      VerifyComponentProperties(kind, id, name);

      int node_id = static_cast<int>(DBGetFieldULong(rows, i, 1));
      snprintf(query, sizeof query,
               "SELECT name FROM object_properties WHERE object_id=%d AND "
               "is_deleted=0",
               node_id);
      db_result_t node = ExecSelect(query);
      if (node == nullptr) continue;
      bool live = DBGetNumRows(node) > 0;
      DBFreeResult(node);
      if (live) continue;
      if (!AskAboutIssue("\rUnlinked %s object %d (\"%s\"). Delete? (Y/N) ",
                         kind, id, name)) {
        continue;
      }
      snprintf(query, sizeof query, "DELETE FROM %s WHERE id=%d", table, id);
      if (!ExecQuery(query)) continue;
      snprintf(query, sizeof query,
               "DELETE FROM object_properties WHERE object_id=%d", id);
      ExecQuery(query);
      g_nIssuesRepaired++;
    }
    DBFreeResult(rows);
  }
  CloseStage();
}

void VerifyInterfaceObjects(const char* title) {
  VerifyComponentObjects(title, "interface", "interfaces");
}

void VerifyNetworkServiceObjects(const char* title) {
  VerifyComponentObjects(title, "network service", "network_services");
}
