// Reading the database catalog in tests: which columns an index covers, in
// the catalog form of each syntax.
#ifndef SCHEMON_TESTS_SUPPORT_CATALOG_H_
#define SCHEMON_TESTS_SUPPORT_CATALOG_H_

#include <string>
#include <vector>

#include "support/test_db.h"

// Returns the columns of the index of table, in index order, one per row;
// nothing when the table has no index of that name.
std::vector<std::vector<std::string>> IndexColumns(TestDatabase* db, int syntax,
                                                   const std::string& table,
                                                   const std::string& index);

#endif  // SCHEMON_TESTS_SUPPORT_CATALOG_H_
