// The registry of backends built into the driver library, and what all
// backends share: driver names, option texts and reading a result whole.

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "db/driver/backend.h"

namespace driver {

namespace {

std::vector<std::unique_ptr<Backend>>& Backends() {
  static std::vector<std::unique_ptr<Backend>>* backends = [] {
    auto* list = new std::vector<std::unique_ptr<Backend>>();
    for (auto factory : {MakeSqliteBackend, MakePgsqlBackend, MakeMysqlBackend,
                         MakeOdbcBackend}) {
      std::unique_ptr<Backend> backend = factory();
      if (backend != nullptr) list->push_back(std::move(backend));
    }
    return list;
  }();
  return *backends;
}

}  // namespace

std::string NormalizeDriverName(const std::string& driver_name) {
  std::string name = driver_name;
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  const std::string kExtension = ".ddr";
  if (name.size() > kExtension.size() &&
      name.compare(name.size() - kExtension.size(), kExtension.size(),
                   kExtension) == 0) {
    name.resize(name.size() - kExtension.size());
  }
  return name;
}

Backend* FindBackend(const std::string& driver_name) {
  std::string name = NormalizeDriverName(driver_name);
  for (auto& backend : Backends()) {
    if (name == backend->name()) return backend.get();
  }
  return nullptr;
}

bool ParseOptions(const std::string& text,
                  std::vector<std::pair<std::string, std::string>>* out,
                  std::string* error) {
  size_t i = 0;
  auto is_separator = [](char c) { return c == ';' || c == ' ' || c == '\t'; };
  while (i < text.size()) {
    while (i < text.size() && is_separator(text[i])) i++;
    if (i >= text.size()) break;
    size_t key_start = i;
    while (i < text.size() && text[i] != '=' && !is_separator(text[i])) i++;
    std::string key = text.substr(key_start, i - key_start);
    if (i >= text.size() || text[i] != '=') {
      *error = "option \"" + key + "\" has no value (expected key=value)";
      return false;
    }
    i++;
    std::string value;
    if (i < text.size() && text[i] == '\'') {
      i++;
      for (;;) {
        if (i >= text.size()) {
          *error =
              "closing quote missing in the value of option \"" + key + "\"";
          return false;
        }
        if (text[i] == '\'') {
          if (i + 1 < text.size() && text[i + 1] == '\'') {
            value += '\'';
            i += 2;
            continue;
          }
          i++;
          break;
        }
        value += text[i++];
      }
    } else {
      while (i < text.size() && !is_separator(text[i])) value += text[i++];
    }
    out->emplace_back(key, value);
  }
  return true;
}

bool FetchAll(Cursor* cursor, BufferedResult* out, std::string* error) {
  out->columns.clear();
  out->rows.clear();
  for (int i = 0; i < cursor->ColumnCount(); i++) {
    out->columns.push_back(cursor->ColumnName(i));
  }
  while (cursor->Fetch()) {
    std::vector<Value> row;
    row.reserve(out->columns.size());
    for (int i = 0; i < cursor->ColumnCount(); i++) {
      row.push_back(cursor->Field(i));
    }
    out->rows.push_back(std::move(row));
  }
  if (!cursor->error().empty()) {
    *error = cursor->error();
    return false;
  }
  return true;
}

}  // namespace driver
