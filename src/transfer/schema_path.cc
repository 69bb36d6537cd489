#include "transfer/schema_path.h"

#include <limits.h>
#include <unistd.h>

#include <cstdlib>

namespace {

void CutAtLastSlash(std::string* text) {
  size_t slash = text->rfind('/');
  if (slash != std::string::npos) text->resize(slash);
}

}  // namespace

std::string ComposeSchemaScriptPath(const char* install_dir,
                                    const std::string& executable_path) {
  if (install_dir != nullptr && *install_dir != 0) {
    return std::string(install_dir) + SCHEMA_SCRIPT_SUBPATH;
  }
  std::string root = executable_path;
  CutAtLastSlash(&root);
  CutAtLastSlash(&root);
  return root + SCHEMA_SCRIPT_SUBPATH;
}

bool GetSchemaScriptPath(std::string* path) {
  const char* install_dir = getenv("ORVANE_INSTALL_PATH");
  std::string executable;
  if (install_dir == nullptr || *install_dir == 0) {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return false;
    executable.assign(buffer, static_cast<size_t>(length));
  }
  *path = ComposeSchemaScriptPath(install_dir, executable);
  return true;
}
