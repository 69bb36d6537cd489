// The test runner's entry point. The backend suites are instantiated for
// every backend; the tests of a backend that this run has no server for
// are kept out of the run, and a run of exactly one of them (ctest runs one
// discovered test per process) prints googletest's skip mark with the
// reason, which ctest reports as skipped. A run whose filter selects no
// other test fails.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/backend_filter.h"
#include "support/test_db.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!::testing::GTEST_FLAG(list_tests)) {
    std::vector<BackendUnderTest> backends = AllBackends();
    std::string filter = ::testing::GTEST_FLAG(filter);
    std::string reason = DisabledBackendOfTest(filter, backends);
    if (!reason.empty()) {
      printf("[  SKIPPED ] %s: not run, %s\n", filter.c_str(), reason.c_str());
      return 0;
    }
    ::testing::GTEST_FLAG(filter) = WithoutDisabledBackends(filter, backends);
  }
  int result = RUN_ALL_TESTS();
  const ::testing::UnitTest* unit = ::testing::UnitTest::GetInstance();
  if (result == 0 && unit->test_to_run_count() == 0 &&
      ::testing::GTEST_FLAG(filter) != "*") {
    fprintf(stderr, "No test matches the filter \"%s\".\n",
            ::testing::GTEST_FLAG(filter).c_str());
    return 1;
  }
  return result;
}
