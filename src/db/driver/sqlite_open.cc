#include "db/driver/sqlite_open.h"

#include <sqlite3.h>

namespace driver {

int OpenSqlite(const char* path, int flags, sqlite3** db) {
  // Has no effect (and is harmless) when the library was started already.
  static const bool configured =
      sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
  (void)configured;
  return sqlite3_open_v2(path, db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
}

}  // namespace driver
