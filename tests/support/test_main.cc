// The test runner's entry point. A run whose filter selects no test fails:
// ctest runs one discovered test per process, and a test of a backend whose
// server is not running this time would otherwise pass without running.

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  const ::testing::UnitTest* unit = ::testing::UnitTest::GetInstance();
  if (result == 0 && unit->test_to_run_count() == 0 &&
      ::testing::GTEST_FLAG(filter) != "*") {
    fprintf(stderr,
            "No test matches the filter \"%s\": its backend is not enabled "
            "in this run.\n",
            ::testing::GTEST_FLAG(filter).c_str());
    return 1;
  }
  return result;
}
