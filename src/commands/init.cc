#include "commands/init.h"

#include <uuid/uuid.h>

#include <cstdio>

#include "commands/batch.h"
#include "db/exec.h"
#include "front/runtime/runtime.h"

namespace {

// Sets the guid column of one row to a new identifier.
bool SetNewGuid(const char* format, int id) {
  uuid_t guid;
  uuid_generate(guid);
  char text[64];
  uuid_to_string(guid, text);
  char query[256];
  snprintf(query, sizeof query, format, text, id);
  return ExecQuery(query);
}

}  // namespace

void DoInit(const char* script) {
  printf("Initializing database...\n");
  if (!DoBatch(script) ||
      !SetNewGuid("UPDATE users SET guid='%s' WHERE id=%d", 0) ||
      !SetNewGuid("UPDATE user_groups SET guid='%s' WHERE id=%d",
                  GROUP_EVERYONE_ID)) {
    printf("Database initialization failed\n");
    return;
  }
  printf("Database initialized successfully\n");
}
