// The "export" command: the whole database (the core tables, then the
// per-node data table of every node) copied into a new SQLite file built by
// the installation's dbschema_sqlite.sql, one file transaction per table.
#ifndef SCHEMON_TRANSFER_EXPORT_H_
#define SCHEMON_TRANSFER_EXPORT_H_

#include <sqlite3.h>

// Runs the command; prints its outcome.
void DoExport(const char* file);

// Copies every row of one table of g_hDbConnection into the same table of
// the open export file, in one file transaction. Prints the table's line
// and any failure.
bool ExportTable(sqlite3* file, const char* table);

// SQLite row callbacks for a one-column select. IntValueCallback stores the
// first column as a decimal integer in the int that context points to;
// TextValueCallback copies at most 255 characters of it into the
// 256-character buffer that context points to. The last row wins; a NULL
// leaves the target as it was.
int IntValueCallback(void* context, int columns, char** values, char** names);
int TextValueCallback(void* context, int columns, char** values, char** names);

#endif  // SCHEMON_TRANSFER_EXPORT_H_
