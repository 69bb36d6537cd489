// Shared pieces of the fuzz targets: the entry-point macro that turns a
// property check into a libFuzzer target, a scratch file for parsers that
// read a path, and the capture of what a parser prints on standard output.
// Each check returns "" when its property holds, else what went wrong; the
// corpus replay test runs the same checks in the normal test suite.
#ifndef SCHEMON_TESTS_FUZZ_FUZZ_SUPPORT_H_
#define SCHEMON_TESTS_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// A property check: runs one input, returns "" or the violated property.
using FuzzCheck = std::string (*)(const uint8_t* data, size_t size);

// Prints a violated property with the input's size and aborts, so that
// libFuzzer keeps the input as a crash. Does nothing for "".
void ReportViolation(const std::string& problem, size_t size);

#ifdef SCHEMON_LIBFUZZER
#define SCHEMON_FUZZ_TARGET(check)                                          \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    ReportViolation(check(data, size), size);                               \
    return 0;                                                               \
  }
#else
#define SCHEMON_FUZZ_TARGET(check)
#endif

// Returns the path of a scratch file of this process (in TMPDIR, else /tmp),
// created on first use with the given suffix and removed at exit, and
// replaces its content with the bytes given.
std::string WriteScratchFile(const char* suffix, const uint8_t* data,
                             size_t size);

// Runs body with standard output sent to a buffer and returns what it
// printed.
std::string CaptureStdout(const std::function<void()>& body);

#endif  // SCHEMON_TESTS_FUZZ_FUZZ_SUPPORT_H_
