// A program run in the background whose output the test reads while it
// runs, so that the test can act at a chosen moment: kill the program, or
// stop the database server under it. Every wait is bounded.
#ifndef SCHEMON_TESTS_SUPPORT_CHILD_PROCESS_H_
#define SCHEMON_TESTS_SUPPORT_CHILD_PROCESS_H_

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
 public:
  ChildProcess() = default;
  // Kills the program if it still runs and reaps it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts the program at path with args, its standard input at the end
  // (/dev/null), NO_COLOR not inherited. Returns false when it cannot start.
  bool Start(const std::string& path, const std::vector<std::string>& args);

  // Reads the program's standard output until text has appeared in it (or
  // had already), the program ended or timeout_ms passed. Returns whether
  // the text is there.
  bool WaitForOutput(const std::string& text, int timeout_ms);

  // Sends signal to the program.
  void Signal(int signal);

  // Reads the output until the program ends, at most timeout_ms. Returns
  // false when it still runs then.
  bool Wait(int timeout_ms);

  // What the program wrote so far to standard output and standard error.
  const std::string& out() const { return out_; }
  const std::string& err() const { return err_; }
  // The exit code once it ended normally, else -1.
  int exit_code() const { return exit_code_; }

 private:
  // Reads what is available for at most timeout_ms; false once both
  // outputs are closed.
  bool ReadSome(int timeout_ms);
  void Reap(bool block);

  pid_t pid_ = -1;
  int out_fd_ = -1;
  int err_fd_ = -1;
  std::string out_;
  std::string err_;
  int exit_code_ = -1;
};

#endif  // SCHEMON_TESTS_SUPPORT_CHILD_PROCESS_H_
