// The server's lock mark and the schema-version guard: the test every
// command that changes or copies data makes first, and the "unlock"
// command that clears a lock a server left behind.
#ifndef SCHEMON_DB_LOCK_H_
#define SCHEMON_DB_LOCK_H_

#include <cstddef>

#define LOCK_TEXT_SIZE 256

// Reads the lock mark silently. Returns true when a server holds the
// database; then status and info (LOCK_TEXT_SIZE bytes each) hold the decoded
// DBLockStatus and DBLockInfo. A missing row or a failed query reads as not
// locked. With decode false the status is compared without decoding.
bool ReadLockStatus(char* status, char* info, bool decode = true);

// Prints that the database's version is newer than the tool's and that
// the server must be upgraded first.
void PrintDatabaseTooNew(int version);

// Returns true when the database has version DB_FORMAT_VERSION; otherwise
// prints why (upgrade the database, or the server, or the connection is
// lost) and returns false.
bool CheckSchemaVersion();

// Returns true when the database has version DB_FORMAT_VERSION and is not
// locked; otherwise prints why and returns false. A lock mark that cannot
// be read for a lost connection refuses the database.
bool CheckSchemaAndLock();

// The "unlock" command: offers to clear the lock mark.
void DoUnlock();

// Prints the locked message with its question and asks; on yes clears the
// lock. Returns true when the lock was removed.
bool AskAndRemoveLock(const char* status, const char* info);

#endif  // SCHEMON_DB_LOCK_H_
