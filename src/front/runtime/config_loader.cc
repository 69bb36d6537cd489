#include "front/runtime/config_loader.h"

#include <strings.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "front/runtime/runtime.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) begin++;
  while (end > begin && IsBlank(text[end - 1])) end--;
  return text.substr(begin, end - begin);
}

// Cuts a comment off an unquoted text: "#" at the start or after a blank.
std::string StripComment(const std::string& text) {
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] == '#' && (i == 0 || IsBlank(text[i - 1]))) {
      return text.substr(0, i);
    }
  }
  return text;
}

// Parses the value part of a line. Returns false when a quoted value is not
// closed or is followed by anything but a comment.
bool ParseValue(const std::string& raw, std::string* value,
                std::string* problem) {
  std::string text = Trim(raw);
  if (!text.empty() && text[0] == '"') {
    size_t close = text.find('"', 1);
    if (close == std::string::npos) {
      *problem = "closing double quote missing";
      return false;
    }
    std::string rest = Trim(StripComment(text.substr(close + 1)));
    if (!rest.empty()) {
      *problem = "unexpected text after quoted value";
      return false;
    }
    *value = text.substr(1, close - 1);
    return true;
  }
  *value = Trim(StripComment(text));
  return true;
}

}  // namespace

int QzLoadConfig(const char* path, const char* section,
                 ConfigTemplateEntry* entries, int print_errors) {
  uint32_t size = 0;
  char* data = LoadFile(path, &size);
  if (data == nullptr) {
    if (print_errors) {
      printf("Cannot read configuration file %s: %s\n", path, strerror(errno));
    }
    return 1;
  }
  std::string content(data, size);
  free(data);

  // Values are collected first and stored only when the whole file is good.
  std::vector<std::pair<ConfigTemplateEntry*, std::string>> found;
  std::string current_section;
  size_t line_start = 0;
  int line_number = 0;
  while (line_start < content.size()) {
    size_t line_end = content.find('\n', line_start);
    if (line_end == std::string::npos) line_end = content.size();
    std::string line = content.substr(line_start, line_end - line_start);
    line_start = line_end + 1;
    line_number++;

    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    std::string problem;
    if (trimmed[0] == '[') {
      std::string header = Trim(StripComment(trimmed));
      if (header.size() < 2 || header.back() != ']') {
        problem = "malformed section header";
      } else {
        current_section = Trim(header.substr(1, header.size() - 2));
        continue;
      }
    } else {
      size_t equals = trimmed.find('=');
      std::string key =
          equals == std::string::npos ? "" : Trim(trimmed.substr(0, equals));
      std::string value;
      if (key.empty()) {
        problem = "expected Key = Value";
      } else if (ParseValue(trimmed.substr(equals + 1), &value, &problem)) {
        if (strcasecmp(current_section.c_str(), section) != 0) continue;
        for (ConfigTemplateEntry* e = entries;
             e->type != CFG_TYPE_END && e->name[0] != 0; e++) {
          if (strcasecmp(e->name, key.c_str()) == 0) {
            found.emplace_back(e, value);
            break;
          }
        }
        continue;
      }
    }
    if (print_errors) {
      printf("Error in configuration file %s, line %d: %s\n", path, line_number,
             problem.c_str());
    }
    return 1;
  }

  for (const auto& item : found) {
    ConfigTemplateEntry* e = item.first;
    if (e->type != CFG_TYPE_STRING || e->destination == nullptr ||
        e->buffer_size == 0) {
      continue;
    }
    char* destination = static_cast<char*>(e->destination);
    size_t length = item.second.size();
    if (length > e->buffer_size - 1) length = e->buffer_size - 1;
    memcpy(destination, item.second.data(), length);
    destination[length] = 0;
  }
  return 0;
}
