// The "import" command: an export file checked against the database, then
// loaded into it after the clearing, one database transaction per core
// table, then per node its data table, created and indexed by the
// database's own metadata and filled in a transaction of its own. The file
// is only read.
#ifndef SCHEMON_TRANSFER_IMPORT_H_
#define SCHEMON_TRANSFER_IMPORT_H_

#include <sqlite3.h>

#include "transfer/node_command.h"

// Runs the command; prints its outcome.
void DoImport(const char* file);

// Copies every row of one table of the open file into the same table of
// g_hDbConnection in one transaction; nothing of it stays on failure.
// Prints the table's line and any failure.
bool ImportTable(sqlite3* file, const char* table);

// Creates (with formats, the database's per-node table statements),
// indexes and fills idata_<id> for every row of the database's nodes table.
// Returns true when every node was done (or there are none).
bool ImportNodeDataTables(sqlite3* file, const NodeTableFormats& formats);

#endif  // SCHEMON_TRANSFER_IMPORT_H_
