// The column names of a CREATE TABLE statement, read from its text without
// running it: the import learns from IDataTableCreationCommand which
// columns every per-node table will have before it changes anything.
#ifndef SCHEMON_TRANSFER_CREATE_TABLE_COLUMNS_H_
#define SCHEMON_TRANSFER_CREATE_TABLE_COLUMNS_H_

#include <string>
#include <vector>

// For a statement "CREATE TABLE [IF NOT EXISTS] name (definitions) ..."
// whose definitions are columns and table constraints (PRIMARY KEY, UNIQUE,
// KEY, INDEX, CONSTRAINT, FOREIGN KEY, CHECK), stores the table's name in
// *table and the column names in order in *columns, both without the
// quotes they may be written in ("", ``, []). Returns false for any other
// text, such as a table made LIKE or AS another.
bool ReadCreateTableColumns(const std::string& statement, std::string* table,
                            std::vector<std::string>* columns);

#endif  // SCHEMON_TRANSFER_CREATE_TABLE_COLUMNS_H_
