// Keeping the tests of backends that this run has no server for out of the
// run.

#include "support/backend_filter.h"

namespace {

// The instance names of INSTANTIATE_BACKEND_SUITE:
// "Backends/<Suite>.<Test>/<backend>".
const char kPrefix[] = "Backends/";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string DisabledBackendOfTest(
    const std::string& filter, const std::vector<BackendUnderTest>& backends) {
  if (filter.find_first_of("*?:-") != std::string::npos ||
      filter.rfind(kPrefix, 0) != 0) {
    return "";
  }
  for (const BackendUnderTest& backend : backends) {
    if (!backend.create && EndsWith(filter, "/" + backend.name)) {
      return backend.disabled_reason;
    }
  }
  return "";
}

std::string WithoutDisabledBackends(
    const std::string& filter, const std::vector<BackendUnderTest>& backends) {
  std::string result = filter;
  bool has_negative = filter.find('-') != std::string::npos;
  for (const BackendUnderTest& backend : backends) {
    if (backend.create) continue;
    result += has_negative ? ":" : "-";
    has_negative = true;
    result += std::string(kPrefix) + "*/" + backend.name;
  }
  return result;
}
