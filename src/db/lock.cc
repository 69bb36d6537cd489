#include "db/lock.h"

#include <cstdio>
#include <cstring>

#include "db/console.h"
#include "db/exec.h"
#include "front/globals.h"

namespace {

// Copies the first value of a silent query into buffer. Returns false when
// the query fails or finds no row.
bool SelectFirstValue(const char* query, char* buffer) {
  db_result_t result = DBSelect(g_hDbConnection, query);
  if (result == nullptr) return false;
  bool found = DBGetNumRows(result) > 0;
  if (found) DBGetField(result, 0, 0, buffer, LOCK_TEXT_SIZE);
  DBFreeResult(result);
  return found;
}

}  // namespace

bool ReadLockStatus(char* status, char* info, bool decode) {
  status[0] = 0;
  info[0] = 0;
  if (!SelectFirstValue(
          "SELECT var_value FROM config WHERE var_name='DBLockStatus'",
          status)) {
    return false;
  }
  if (decode) DecodeSQLString(status);
  if (strcmp(status, "UNLOCKED") == 0) return false;
  if (SelectFirstValue(
          "SELECT var_value FROM config WHERE var_name='DBLockInfo'", info)) {
    DecodeSQLString(info);
  }
  return true;
}

void PrintDatabaseTooNew(int version) {
  printf(
      "Your database has format version %d, this tool is compiled for "
      "version %d.\nYou need to upgrade your server before using this "
      "database.\n",
      version, DB_FORMAT_VERSION);
}

bool CheckSchemaVersion() {
  int version = DBGetSchemaVersion(g_hDbConnection);
  // A version that could not be read for a lost connection is no version.
  if (ReportConnectionLost()) return false;
  if (version < DB_FORMAT_VERSION) {
    printf(
        "Your database has format version %d, this tool is compiled for "
        "version %d.\nUse \"upgrade\" command to upgrade your database "
        "first.\n",
        version, DB_FORMAT_VERSION);
    return false;
  }
  if (version > DB_FORMAT_VERSION) {
    PrintDatabaseTooNew(version);
    return false;
  }
  return true;
}

bool CheckSchemaAndLock() {
  if (!CheckSchemaVersion()) return false;
  char status[LOCK_TEXT_SIZE], info[LOCK_TEXT_SIZE];
  if (!ReadLockStatus(status, info)) return !ReportConnectionLost();
  printf("Database is locked by server %s [%s]\n", status, info);
  return false;
}

bool AskAndRemoveLock(const char* status, const char* info) {
  printf(
      "Database is locked by server %s [%s]\n"
      "Do you wish to force database unlock? (Y/N) ",
      status, info);
  if (!AskYesNo()) return false;
  if (!ExecQuery("UPDATE config SET var_value='UNLOCKED' where "
                 "var_name='DBLockStatus'")) {
    return false;
  }
  printf("Database lock removed\n");
  return true;
}

void DoUnlock() {
  char status[LOCK_TEXT_SIZE], info[LOCK_TEXT_SIZE];
  if (!ReadLockStatus(status, info)) {
    printf("Database is not locked\n");
    return;
  }
  AskAndRemoveLock(status, info);
}
