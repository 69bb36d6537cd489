// Stages 2 and 3: interfaces and network services. Each component needs its
// properties row and a node that is a live object.

#include <cstdio>

#include "check/lookups.h"
#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

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
    for (int i = 0; i < count && !ConnectionLost(); i++) {
      int id = static_cast<int>(DBGetFieldULong(rows, i, 0));
      char name[OBJECT_NAME_SIZE];
      VerifyObjectProperties(kind, id, name, nullptr);

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
