#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

extern char** environ;

namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    Reap(true);
  }
  if (out_fd_ >= 0) close(out_fd_);
  if (err_fd_ >= 0) close(err_fd_);
}

bool ChildProcess::Start(const std::string& path,
                         const std::vector<std::string>& args) {
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0) return false;
  if (pipe(err_pipe) != 0) {
    close(out_pipe[0]);
    close(out_pipe[1]);
    return false;
  }
  std::vector<std::string> env_strings;
  for (char** e = environ; *e != nullptr; e++) {
    if (strncmp(*e, "NO_COLOR=", 9) != 0) env_strings.push_back(*e);
  }
  std::vector<char*> env;
  for (auto& e : env_strings) env.push_back(&e[0]);
  env.push_back(nullptr);
  std::vector<std::string> argv_strings = {path};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_strings) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    int in = open("/dev/null", O_RDONLY);
    dup2(in, 0);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    for (int fd : {in, out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) {
      close(fd);
    }
    execve(path.c_str(), argv.data(), env.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  out_fd_ = out_pipe[0];
  err_fd_ = err_pipe[0];
  if (pid_ < 0) return false;
  fcntl(out_fd_, F_SETFL, fcntl(out_fd_, F_GETFL) | O_NONBLOCK);
  fcntl(err_fd_, F_SETFL, fcntl(err_fd_, F_GETFL) | O_NONBLOCK);
  return true;
}

bool ChildProcess::ReadSome(int timeout_ms) {
  struct pollfd fds[2];
  int n = 0;
  if (out_fd_ >= 0) fds[n++] = {out_fd_, POLLIN, 0};
  if (err_fd_ >= 0) fds[n++] = {err_fd_, POLLIN, 0};
  if (n == 0) return false;
  poll(fds, static_cast<nfds_t>(n), timeout_ms);
  for (int i = 0; i < n; i++) {
    if (fds[i].revents == 0) continue;
    bool is_out = fds[i].fd == out_fd_;
    char buffer[65536];
    ssize_t r = read(fds[i].fd, buffer, sizeof buffer);
    if (r > 0) {
      (is_out ? out_ : err_).append(buffer, static_cast<size_t>(r));
    } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
      close(fds[i].fd);
      (is_out ? out_fd_ : err_fd_) = -1;
    }
  }
  return out_fd_ >= 0 || err_fd_ >= 0;
}

bool ChildProcess::WaitForOutput(const std::string& text, int timeout_ms) {
  int64_t deadline = NowMs() + timeout_ms;
  while (out_.find(text) == std::string::npos) {
    int64_t left = deadline - NowMs();
    if (left <= 0 || !ReadSome(static_cast<int>(left < 100 ? left : 100))) {
      break;
    }
  }
  return out_.find(text) != std::string::npos;
}

void ChildProcess::Signal(int signal) {
  if (pid_ > 0) kill(pid_, signal);
}

bool ChildProcess::Wait(int timeout_ms) {
  int64_t deadline = NowMs() + timeout_ms;
  for (;;) {
    int64_t left = deadline - NowMs();
    if (left <= 0) break;
    if (!ReadSome(static_cast<int>(left < 100 ? left : 100))) break;
  }
  // Both outputs closed: the program has ended (or closed them itself).
  while (pid_ > 0 && NowMs() < deadline) {
    Reap(false);
    if (pid_ > 0) usleep(10000);
  }
  return pid_ <= 0;
}

void ChildProcess::Reap(bool block) {
  int status = 0;
  pid_t done = waitpid(pid_, &status, block ? 0 : WNOHANG);
  if (done != pid_) return;
  if (WIFEXITED(status)) exit_code_ = WEXITSTATUS(status);
  pid_ = -1;
}
