// What an import makes sure of before it clears anything: everything it can
// know without writing, so that a file that could not load whole is refused
// while the database is still as it was.
#ifndef SCHEMON_TRANSFER_IMPORT_CHECK_H_
#define SCHEMON_TRANSFER_IMPORT_CHECK_H_

#include <sqlite3.h>

#include <string>
#include <vector>

#include "transfer/node_command.h"

// Stores the column names of a prepared select on the file's table in
// *columns. When one is not a plain identifier (a letter or "_", then
// letters, digits and "_", at most 63 in all), which could not be pasted
// into a statement, prints "ERROR: column name "<name>" of table <table> in
// the import file is not a plain identifier" and returns false.
bool ReadFileColumns(sqlite3_stmt* stmt, const char* table,
                     std::vector<std::string>* columns);

// Returns true when the open file can be loaded into g_hDbConnection whole:
// each core table is a table of the file; each column of those tables is a
// plain identifier that the database's table has; formats (the database's
// per-node table statements) are usable, the creation command making a
// table idata_<id> with a list of columns; and every node that the file's
// nodes lists has its idata_<id> table in the file, with columns that
// table will have. Otherwise prints one message naming the table, the
// column or the node and returns false. Reads the file and the database
// only.
bool CheckImportFile(sqlite3* file, const NodeTableFormats& formats);

#endif  // SCHEMON_TRANSFER_IMPORT_CHECK_H_
