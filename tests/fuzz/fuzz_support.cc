#include "fuzz_support.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

void ReportViolation(const std::string& problem, size_t size) {
  if (problem.empty()) return;
  fprintf(stderr, "PROPERTY VIOLATED (input of %zu bytes): %s\n", size,
          problem.c_str());
  abort();
}

namespace {

struct ScratchFiles {
  std::map<std::string, std::string> paths;  // suffix -> path
  ~ScratchFiles() {
    for (const auto& item : paths) unlink(item.second.c_str());
  }
};

ScratchFiles& Scratch() {
  static ScratchFiles files;
  return files;
}

}  // namespace

std::string WriteScratchFile(const char* suffix, const uint8_t* data,
                             size_t size) {
  std::string& path = Scratch().paths[suffix];
  if (path.empty()) {
    const char* dir = getenv("TMPDIR");
    std::string pattern =
        std::string(dir != nullptr && *dir != 0 ? dir : "/tmp") +
        "/schemon-fuzz-XXXXXX" + suffix;
    int fd = mkstemps(&pattern[0], static_cast<int>(strlen(suffix)));
    if (fd < 0) {
      perror("fuzz scratch file");
      abort();
    }
    close(fd);
    path = pattern;
  }
  int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
  if (fd < 0 ||
      (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size))) {
    perror("fuzz scratch file");
    abort();
  }
  close(fd);
  return path;
}

std::string CaptureStdout(const std::function<void()>& body) {
  // An in-memory file: the loaders under test run thousands of times a
  // second.
  static FILE* sink = fdopen(memfd_create("schemon-fuzz-stdout", 0), "w+");
  if (sink == nullptr || ftruncate(fileno(sink), 0) != 0) {
    perror("fuzz stdout capture");
    abort();
  }
  rewind(sink);
  fflush(stdout);
  int saved = dup(1);
  dup2(fileno(sink), 1);
  body();
  fflush(stdout);
  dup2(saved, 1);
  close(saved);
  std::string text;
  rewind(sink);
  char chunk[4096];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, sink)) > 0)
    text.append(chunk, got);
  return text;
}
