// Replays every seed and regression input of the fuzz corpora through its
// target's property check, so that a fault the fuzzers once found shows in
// every build of the suite, the sanitizer build included.

#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "fuzz_support.h"

namespace {

struct Target {
  const char* name;  // the corpus directory tests/fuzz/corpus/<name>
  FuzzCheck check;
};

const Target kTargets[] = {
    {"config_loader", CheckConfigLoader},
    {"statement_splitter", CheckStatementSplitter},
    {"hash_escape", CheckHashEscape},
    {"import", CheckImport},
};

std::vector<std::string> CorpusFiles(const std::string& dir) {
  std::vector<std::string> files;
  DIR* handle = opendir(dir.c_str());
  if (handle == nullptr) return files;
  while (dirent* entry = readdir(handle)) {
    if (entry->d_name[0] != '.') files.push_back(dir + "/" + entry->d_name);
  }
  closedir(handle);
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FuzzCorpusTest, EveryCorpusInputKeepsItsProperty) {
  for (const Target& target : kTargets) {
    std::vector<std::string> files = CorpusFiles(
        std::string(SCHEMON_SOURCE_DIR) + "/tests/fuzz/corpus/" + target.name);
    EXPECT_FALSE(files.empty()) << "no corpus for " << target.name;
    for (const std::string& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)),
                        std::istreambuf_iterator<char>());
      EXPECT_EQ(target.check(reinterpret_cast<const uint8_t*>(bytes.data()),
                             bytes.size()),
                "")
          << file;
    }
  }
}

}  // namespace
