// The fixture of the end-to-end suites: one fresh database per test on each
// enabled backend, a configuration file pointing at it, and a way to run
// schemon against it.
#ifndef SCHEMON_TESTS_SUPPORT_BACKEND_TEST_H_
#define SCHEMON_TESTS_SUPPORT_BACKEND_TEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/test_db.h"

class BackendTest : public ::testing::TestWithParam<BackendUnderTest> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs schemon with "-c <config>" before args.
  RunResult Run(const std::vector<std::string>& args,
                const std::string& input = "");

  // Writes a file into the test directory and returns its path.
  std::string WriteFile(const std::string& name, const std::string& content);

  // Creates config and metadata as a version-98 database has them, with
  // DBLockStatus set to lock_status (no row when empty).
  void CreateServerTables(int version = 98,
                          const std::string& lock_status = "UNLOCKED");
  // Sets a server variable, stored as given (already hash-escaped).
  void SetConfig(const std::string& name, const std::string& value);

  int syntax() const { return GetParam().syntax; }

  // Opens g_hDbConnection on the test database inside this process, the way
  // the front end does, so that the tool's functions can be called directly.
  // TearDown closes it and resets the option flags.
  void ConnectInProcess();

  std::string dir_;
  std::string config_path_;
  std::unique_ptr<TestDatabase> db_;
};

// Instantiates the suite for every backend, enabled or not (see
// AllBackends); the test runner keeps the tests of a backend that is not
// enabled out of the run and reports a run of one of them as skipped.
#define INSTANTIATE_BACKEND_SUITE(Suite)                           \
  INSTANTIATE_TEST_SUITE_P(                                        \
      Backends, Suite, ::testing::ValuesIn(AllBackends()),         \
      [](const ::testing::TestParamInfo<BackendUnderTest>& info) { \
        return info.param.name;                                    \
      })

// Returns a fresh temporary directory.
std::string MakeTempDir();
// Returns the whole content of a file; a file that cannot be read fails the
// current test (and gives the empty text).
std::string ReadFileText(const std::string& path);
// Removes a directory tree.
void RemoveTree(const std::string& dir);

#endif  // SCHEMON_TESTS_SUPPORT_BACKEND_TEST_H_
