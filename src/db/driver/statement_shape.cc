#include "db/driver/statement_shape.h"

#include <strings.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace driver {
namespace {

bool IsNameChar(char c) {
  return isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
         c == '.';
}

// Returns the position of the keyword (whole word, any case) outside quotes,
// or npos.
size_t FindKeyword(const std::string& sql, const char* word) {
  size_t length = strlen(word);
  char quote = 0;
  for (size_t i = 0; i < sql.size(); i++) {
    char c = sql[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '\'' || c == '"' || c == '`') {
      quote = c;
      continue;
    }
    if ((i == 0 || !IsNameChar(sql[i - 1])) &&
        strncasecmp(sql.c_str() + i, word, length) == 0 &&
        (i + length == sql.size() || !IsNameChar(sql[i + length]))) {
      return i;
    }
  }
  return std::string::npos;
}

bool HasTwoWords(const std::string& sql, const char* first) {
  size_t at = FindKeyword(sql, first);
  while (at != std::string::npos) {
    size_t next = at + strlen(first);
    while (next < sql.size() &&
           isspace(static_cast<unsigned char>(sql[next]))) {
      next++;
    }
    if (strncasecmp(sql.c_str() + next, "by", 2) == 0) return true;
    size_t later = FindKeyword(sql.substr(next), first);
    at = later == std::string::npos ? later : next + later;
  }
  return false;
}

}  // namespace

bool ShapeSelect(const std::string& sql, std::string* shape,
                 std::vector<int64_t>* values) {
  values->clear();
  size_t start = 0;
  while (start < sql.size() &&
         isspace(static_cast<unsigned char>(sql[start]))) {
    start++;
  }
  if (strncasecmp(sql.c_str() + start, "select", 6) != 0 ||
      (start + 6 < sql.size() && IsNameChar(sql[start + 6]))) {
    return false;
  }
  size_t where = FindKeyword(sql, "where");
  if (where == std::string::npos || HasTwoWords(sql, "order") ||
      HasTwoWords(sql, "group")) {
    return false;
  }
  shape->assign(sql, 0, where);
  char quote = 0;
  for (size_t i = where; i < sql.size(); i++) {
    char c = sql[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
      *shape += c;
      continue;
    }
    if (c == '\'' || c == '"' || c == '`') {
      quote = c;
      *shape += c;
      continue;
    }
    if (!isdigit(static_cast<unsigned char>(c)) || IsNameChar(sql[i - 1])) {
      *shape += c;
      continue;
    }
    size_t end = i;
    while (end < sql.size() && isdigit(static_cast<unsigned char>(sql[end]))) {
      end++;
    }
    if (end < sql.size() && IsNameChar(sql[end])) {
      // A decimal, an exponent or a hexadecimal literal: kept as written.
      shape->append(sql, i, end - i);
      i = end - 1;
      continue;
    }
    errno = 0;
    long long value = strtoll(sql.c_str() + i, nullptr, 10);
    if (errno == ERANGE) return false;
    values->push_back(value);
    *shape += '?';
    i = end - 1;
  }
  return !values->empty();
}

}  // namespace driver
