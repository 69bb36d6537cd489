// The fixture of the upgrade suites: a fresh database per test and backend
// (see support/backend_test.h) with helpers to read what a step left
// behind, to run one step the way the upgrade driver does, and to load the
// version-63 baseline.
#ifndef SCHEMON_TESTS_UPGRADE_UPGRADE_FIXTURE_H_
#define SCHEMON_TESTS_UPGRADE_UPGRADE_FIXTURE_H_

#include <string>
#include <vector>

#include "support/backend_test.h"

class UpgradeTest : public BackendTest {
 protected:
  // The stored schema version: metadata's SchemaVersion when that table
  // exists, else config's DBFormatVersion; -1 when neither is readable.
  int StoredVersion();

  // The column names of table in lower case, in catalog order, in the test
  // database or in db; empty when the table does not exist.
  std::vector<std::string> Columns(const std::string& table,
                                   TestDatabase* db = nullptr);
  // The same with each name followed by " " and its type family: "int",
  // "text" or the catalog's type name.
  std::vector<std::string> TypedColumns(const std::string& table,
                                        TestDatabase* db = nullptr);
  bool HasColumn(const std::string& table, const std::string& column);

  // The base tables of db (the test database when null) in lower case,
  // sorted, the per-node tables included.
  std::vector<std::string> TableNames(TestDatabase* db = nullptr);

  // {var_value, is_visible, need_server_restart} of a config row, or empty.
  std::vector<std::string> ConfigRow(const std::string& name);

  // Calls step in this process (after ConnectInProcess) inside a transaction,
  // committing on success and rolling back on failure, as the driver does.
  // Returns the step's result; *out gets what it printed when out is set.
  int RunStep(int (*step)(), std::string* out = nullptr);

  // The lines "Upgrading from version %d to %d\n" for from..to-1.
  static std::string StepLines(int from, int to);

  // Waits (at most ten seconds) until no other session works on the test
  // database. A COMMIT that a killed tool sent just before it died is still
  // carried out by the server's session for it: reading the database before
  // that session ends could see the version before the commit and the
  // schema after it (and, on MySQL, a DDL statement still at work).
  void WaitForServerSessionsToEnd();

  // Fills db (the test database when null) with the version-63 baseline of
  // its syntax.
  void LoadBaseline63(TestDatabase* db = nullptr);
};

#endif  // SCHEMON_TESTS_UPGRADE_UPGRADE_FIXTURE_H_
