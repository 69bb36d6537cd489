// Stage 5: template-to-node mappings must refer to nodes that exist.

#include <cstdio>

#include "check/lookups.h"
#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

void VerifyTemplateMappings(const char* title) {
  OpenStage(title);
  db_result_t mappings = ExecSelect(
      "SELECT template_id,node_id FROM dct_node_map ORDER BY template_id");
  if (mappings != nullptr) {
    int count = DBGetNumRows(mappings);
    for (int i = 0; i < count && !ConnectionLost(); i++) {
      int template_id = static_cast<int>(DBGetFieldULong(mappings, i, 0));
      int node_id = static_cast<int>(DBGetFieldULong(mappings, i, 1));
      if (NodeRowExists(node_id)) continue;
      char name[OBJECT_NAME_SIZE];
      LookUpObjectName(template_id, name);
      if (!AskAboutIssue("\rTemplate %d [%s] mapped to non-existent node %d. "
                         "Correct? (Y/N) ",
                         template_id, name, node_id)) {
        continue;
      }
      char query[256];
      snprintf(query, sizeof query,
               "DELETE FROM dct_node_map WHERE template_id=%d AND node_id=%d",
               template_id, node_id);
      if (ExecQuery(query)) g_nIssuesRepaired++;
    }
    DBFreeResult(mappings);
  }
  CloseStage();
}
