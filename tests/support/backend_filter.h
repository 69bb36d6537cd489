// Keeping the tests of backends that this run has no server for out of the
// run: the backend suites are instantiated for every backend, so that the
// list of tests does not change when servers come and go.
#ifndef SCHEMON_TESTS_SUPPORT_BACKEND_FILTER_H_
#define SCHEMON_TESTS_SUPPORT_BACKEND_FILTER_H_

#include <string>
#include <vector>

#include "support/test_db.h"

// When filter names exactly one test (as ctest runs them) of a backend in
// backends that is not enabled, returns the backend's reason; else "".
std::string DisabledBackendOfTest(
    const std::string& filter, const std::vector<BackendUnderTest>& backends);

// Returns the googletest filter with the tests of every backend in
// backends that is not enabled added to its negative patterns.
std::string WithoutDisabledBackends(
    const std::string& filter, const std::vector<BackendUnderTest>& backends);

#endif  // SCHEMON_TESTS_SUPPORT_BACKEND_FILTER_H_
