// Stage 4: cluster memberships must refer to nodes that exist.

#include <cstdio>

#include "check/lookups.h"
#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

void VerifyClusterMembers(const char* title) {
  OpenStage(title);
  db_result_t members =
      ExecSelect("SELECT cluster_id,node_id FROM cluster_members");
  if (members != nullptr) {
    int count = DBGetNumRows(members);
    for (int i = 0; i < count && !ConnectionLost(); i++) {
      int node_id = static_cast<int>(DBGetFieldULong(members, i, 1));
      if (NodeRowExists(node_id)) continue;
      int cluster_id = static_cast<int>(DBGetFieldULong(members, i, 0));
      char name[OBJECT_NAME_SIZE];
      LookUpObjectName(cluster_id, name);
      if (!AskAboutIssue("\rCluster object %s [%d] refers to non-existing "
                         "node %d. Dereference? (Y/N) ",
                         name, cluster_id, node_id)) {
        continue;
      }
      char query[256];
      snprintf(query, sizeof query,
               "DELETE FROM cluster_members WHERE cluster_id=%d AND node_id=%d",
               cluster_id, node_id);
      if (ExecQuery(query)) g_nIssuesRepaired++;
    }
    DBFreeResult(members);
  }
  CloseStage();
}
