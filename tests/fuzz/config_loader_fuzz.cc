// Fuzz target of the configuration loader. Any bytes either load, printing
// nothing and storing only terminated texts taken from the file, or fail
// with one message naming the file and a line of it that is neither blank
// nor a comment, leaving every destination as it was. The destinations are
// heap blocks of exactly their template size, so a write or read past one
// is a sanitizer report.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "front/config_template.h"
#include "front/runtime/config_loader.h"
#include "fuzz_checks.h"
#include "fuzz_support.h"

namespace {

const char kPreset = '\x5A';

// Returns line number (1-based) of text, without its line feed, or "" past
// the end; *exists tells whether the file has that line.
std::string LineOf(const std::string& text, long number, bool* exists) {
  size_t start = 0;
  for (long n = 1; n < number; n++) {
    size_t feed = text.find('\n', start);
    if (feed == std::string::npos) {
      *exists = false;
      return "";
    }
    start = feed + 1;
  }
  *exists = start < text.size();
  size_t feed = text.find('\n', start);
  return text.substr(
      start, feed == std::string::npos ? std::string::npos : feed - start);
}

bool IsBlankOrComment(const std::string& line) {
  for (char c : line) {
    if (c == ' ' || c == '\t' || c == '\r') continue;
    return c == '#';
  }
  return true;
}

}  // namespace

std::string CheckConfigLoader(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string path = WriteScratchFile(".conf", data, size);

  // The production template with every destination moved to a heap block of
  // its own exact size, filled with a preset that no loaded value can keep.
  std::vector<ConfigTemplateEntry> entries;
  std::vector<char*> blocks;
  for (ConfigTemplateEntry* e = g_configTemplate;; e++) {
    entries.push_back(*e);
    if (e->type == CFG_TYPE_END) break;
    char* block = nullptr;
    if (e->destination != nullptr && e->buffer_size > 0) {
      block = static_cast<char*>(malloc(e->buffer_size));
      memset(block, kPreset, e->buffer_size);
      entries.back().destination = block;
    }
    blocks.push_back(block);
  }

  int result = 1;
  std::string out = CaptureStdout(
      [&] { result = QzLoadConfig(path.c_str(), "", entries.data(), 1); });

  std::string problem;
  if (result == 0) {
    if (!out.empty()) problem = "a successful load printed: " + out;
    for (size_t i = 0; i < blocks.size() && problem.empty(); i++) {
      char* block = blocks[i];
      if (block == nullptr) continue;
      uint32_t capacity = entries[i].buffer_size;
      if (std::string(block, capacity) == std::string(capacity, kPreset)) {
        continue;  // key not in the file: left unchanged
      }
      size_t length = strnlen(block, capacity);
      if (length == capacity) {
        problem = std::string("value of ") + entries[i].name +
                  " is not terminated within its buffer";
      } else if (text.find(std::string(block, length)) == std::string::npos) {
        problem = std::string("value of ") + entries[i].name +
                  " is not taken from the file: " + std::string(block, length);
      }
    }
  } else {
    std::string head = "Error in configuration file " + path + ", line ";
    long line = 0;
    char* after = nullptr;
    if (out.compare(0, head.size(), head) != 0) {
      problem = "failure message does not name the file: " + out;
    } else {
      line = strtol(out.c_str() + head.size(), &after, 10);
      bool exists = false;
      std::string content = LineOf(text, line, &exists);
      if (after == nullptr || strncmp(after, ": ", 2) != 0 ||
          out.find('\n') != out.size() - 1) {
        problem = "failure message is not one line with a line number: " + out;
      } else if (line < 1 || !exists) {
        problem = "failure names a line the file does not have: " + out;
      } else if (IsBlankOrComment(content)) {
        problem = "failure names a blank or comment line: " + out;
      }
    }
    for (size_t i = 0; i < blocks.size() && problem.empty(); i++) {
      if (blocks[i] == nullptr) continue;
      uint32_t capacity = entries[i].buffer_size;
      if (std::string(blocks[i], capacity) != std::string(capacity, kPreset)) {
        problem = std::string("failed load changed ") + entries[i].name;
      }
    }
  }
  for (char* block : blocks) free(block);
  return problem;
}

SCHEMON_FUZZ_TARGET(CheckConfigLoader)
