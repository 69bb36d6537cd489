// The "import" command: the import of an SQLite export file.
#ifndef SCHEMON_TRANSFER_IMPORT_H_
#define SCHEMON_TRANSFER_IMPORT_H_

// Runs the command; prints its outcome.
void DoImport(const char* file);

#endif  // SCHEMON_TRANSFER_IMPORT_H_
