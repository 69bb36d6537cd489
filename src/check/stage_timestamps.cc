// Stage 6: every object's modification timestamp must be set. It runs after
// the stages that create properties rows, whose timestamps are still 0.

#include <cstdio>
#include <ctime>

#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"

void VerifyObjectTimestamps(const char* title) {
  OpenStage(title);
  db_result_t objects =
      ExecSelect("SELECT object_id,name,last_modified FROM object_properties");
  if (objects != nullptr) {
    int count = DBGetNumRows(objects);
    for (int i = 0; i < count && !ConnectionLost(); i++) {
      if (DBGetFieldULong(objects, i, 2) != 0) continue;
      int id = static_cast<int>(DBGetFieldULong(objects, i, 0));
      char name[1024];
      DBGetField(objects, i, 1, name, sizeof name);
      if (!AskAboutIssue(
              "\rObject %d [%s] has invalid timestamp. Correct? (Y/N) ", id,
              name)) {
        continue;
      }
      char query[256];
      snprintf(query, sizeof query,
               "UPDATE object_properties SET last_modified=%ld WHERE "
               "object_id=%d",
               static_cast<long>(time(nullptr)), id);
      if (ExecQuery(query)) g_nIssuesRepaired++;
    }
    DBFreeResult(objects);
  }
  CloseStage();
}
