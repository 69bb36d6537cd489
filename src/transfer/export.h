// The "export" command: the export of the database into an SQLite file.
#ifndef SCHEMON_TRANSFER_EXPORT_H_
#define SCHEMON_TRANSFER_EXPORT_H_

// Runs the command; prints its outcome.
void DoExport(const char* file);

#endif  // SCHEMON_TRANSFER_EXPORT_H_
