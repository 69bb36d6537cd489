#include "check/lookups.h"

#include <cstdio>

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
