// Opening SQLite connections the way this tool uses them: each connection
// is used by one thread at a time, and the library runs without its memory
// statistics, whose one global lock every allocation of every thread takes.
#ifndef SCHEMON_DB_DRIVER_SQLITE_OPEN_H_
#define SCHEMON_DB_DRIVER_SQLITE_OPEN_H_

struct sqlite3;

namespace driver {

// sqlite3_open_v2 of path with flags plus SQLITE_OPEN_NOMUTEX; the first
// call sets the library up. Returns its result code; *db is set as
// sqlite3_open_v2 sets it (to be closed by the caller even on failure).
int OpenSqlite(const char* path, int flags, sqlite3** db);

}  // namespace driver

#endif  // SCHEMON_DB_DRIVER_SQLITE_OPEN_H_
