#include "support/process.h"

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

void SetNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

std::string SchemonPath() {
  const char* path = getenv("SCHEMON_BINARY");
  return path != nullptr ? path : SCHEMON_BINARY_DEFAULT;
}

RunResult RunProgram(const std::string& path,
                     const std::vector<std::string>& args,
                     const std::string& input,
                     const std::vector<std::string>& extra_env,
                     int timeout_seconds) {
  RunResult result;
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0) {
    result.err = "pipe failed";
    return result;
  }
  std::vector<std::string> env_strings;
  for (char** e = environ; *e != nullptr; e++) {
    if (strncmp(*e, "NO_COLOR=", 9) != 0) env_strings.push_back(*e);
  }
  for (const auto& e : extra_env) env_strings.push_back(e);
  std::vector<char*> env_ptrs;
  for (auto& e : env_strings) env_ptrs.push_back(&e[0]);
  env_ptrs.push_back(nullptr);
  std::vector<std::string> argv_strings = {path};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv_ptrs;
  for (auto& a : argv_strings) argv_ptrs.push_back(&a[0]);
  argv_ptrs.push_back(nullptr);

  pid_t pid = fork();
  if (pid == 0) {
    dup2(in_pipe[0], 0);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1],
                   err_pipe[0], err_pipe[1]}) {
      close(fd);
    }
    execve(path.c_str(), argv_ptrs.data(), env_ptrs.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  signal(SIGPIPE, SIG_IGN);
  SetNonBlocking(in_pipe[1]);
  SetNonBlocking(out_pipe[0]);
  SetNonBlocking(err_pipe[0]);

  size_t written = 0;
  int in_fd = in_pipe[1];
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  bool out_open = true, err_open = true;
  auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (out_open || err_open) {
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      result.timed_out = true;
      kill(pid, SIGKILL);
      break;
    }
    struct pollfd fds[3];
    int n = 0;
    if (out_open) fds[n++] = {out_pipe[0], POLLIN, 0};
    if (err_open) fds[n++] = {err_pipe[0], POLLIN, 0};
    if (in_fd >= 0) fds[n++] = {in_fd, POLLOUT, 0};
    poll(fds, static_cast<nfds_t>(n), 100);
    for (int i = 0; i < n; i++) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in_fd) {
        ssize_t w =
            write(in_fd, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<size_t>(w);
        if (w < 0 && errno != EAGAIN) written = input.size();
        if (written >= input.size()) {
          close(in_fd);
          in_fd = -1;
        }
        continue;
      }
      char buffer[65536];
      ssize_t r = read(fds[i].fd, buffer, sizeof buffer);
      bool is_out = fds[i].fd == out_pipe[0];
      if (r > 0) {
        (is_out ? result.out : result.err)
            .append(buffer, static_cast<size_t>(r));
      } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
        (is_out ? out_open : err_open) = false;
      }
    }
  }
  if (in_fd >= 0) close(in_fd);
  close(out_pipe[0]);
  close(err_pipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

RunResult RunSchemon(const std::vector<std::string>& args,
                     const std::string& input,
                     const std::vector<std::string>& extra_env) {
  return RunProgram(SchemonPath(), args, input, extra_env);
}
