// Test data for export and import: a version-98 database filled with
// values that a careless copy loses (quotes, backslashes, control
// characters, UTF-8, long texts, extreme integers, NULLs, empty texts) in
// every core table and in per-node data tables, and a snapshot of every
// row of such a database or export file for comparison.
#ifndef SCHEMON_TESTS_TRANSFER_TRANSFER_DATA_H_
#define SCHEMON_TESTS_TRANSFER_TRANSFER_DATA_H_

#include <map>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/test_db.h"

// The node ids the data set gives its nodes (each has idata_<id>).
extern const int kNodeIds[3];

// Returns the shipped script of a syntax: kind "dbinit" or "demo".
std::string ShippedScriptFor(const char* kind, int syntax);

// Runs schemon with the configuration file at config.
RunResult RunWith(const std::string& config,
                  const std::vector<std::string>& args,
                  const std::string& input = "");

// Initialises the database behind config with the shipped script; fails the
// test when that does not succeed.
void InitShipped(const std::string& config, int syntax);

// Empties the core tables of an initialised database and fills each with
// three rows of hard values, and creates and fills idata_<id> for the
// nodes. long_text_size is the size of the long texts (MySQL's text holds
// 65535 bytes).
void FillHardValues(TestDatabase* db, size_t long_text_size);

// Adds rows rows to config_clob and to idata_<first node>, so that copies
// run over the edges of their batches: every long_every-th value of
// config_clob is long_size bytes, the others short or empty.
void FillManyRows(TestDatabase* db, int rows, int long_every, size_t long_size);

// Every row of every core table and of idata_<id> of the data set's nodes,
// rows sorted, NULL as "<null>". Tables are read with an explicit column
// list, so that column order does not matter.
using Snapshot = std::map<std::string, std::vector<std::vector<std::string>>>;
Snapshot TakeSnapshot(TestDatabase* db);
// The same for an export file.
Snapshot TakeFileSnapshot(const std::string& path);
// The same with idata_<id> of the nodes given (the demo's, for example).
Snapshot TakeSnapshot(TestDatabase* db, const std::vector<int>& nodes);
Snapshot TakeFileSnapshot(const std::string& path,
                          const std::vector<int>& nodes);

// Runs SQL on an SQLite file (an export file), failing the test on error.
void ExecOnFile(const std::string& path, const std::string& sql);

// Returns the first column of the first row of a query on an SQLite file.
std::string FileScalar(const std::string& path, const std::string& sql);

// Returns the first difference between two snapshots, or "" when equal.
std::string FirstDifference(const Snapshot& expected, const Snapshot& actual);

#endif  // SCHEMON_TESTS_TRANSFER_TRANSFER_DATA_H_
