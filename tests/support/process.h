// Runs the built schemon binary as a child process with given arguments and
// standard input, and captures its output and exit code. A run that does
// not end within its time limit is killed and reported as hanging.
#ifndef SCHEMON_TESTS_SUPPORT_PROCESS_H_
#define SCHEMON_TESTS_SUPPORT_PROCESS_H_

#include <string>
#include <vector>

struct RunResult {
  int exit_code = -1;  // -1 when the process did not exit normally
  bool timed_out = false;
  std::string out;
  std::string err;
};

// Runs the program at path with args. input is written to its standard
// input, which is then closed. extra_env entries ("NAME=value") are added to
// the environment; NO_COLOR is never inherited.
RunResult RunProgram(const std::string& path,
                     const std::vector<std::string>& args,
                     const std::string& input,
                     const std::vector<std::string>& extra_env = {},
                     int timeout_seconds = 120);

// Runs build/schemon.
RunResult RunSchemon(const std::vector<std::string>& args,
                     const std::string& input = "",
                     const std::vector<std::string>& extra_env = {});

// Returns the path of the schemon binary under test.
std::string SchemonPath();

// Returns the banner that starts every run's output.
inline const char* Banner() {
  return "Orvane Database Manager Version 0.2.29\n\n";
}

#endif  // SCHEMON_TESTS_SUPPORT_PROCESS_H_
