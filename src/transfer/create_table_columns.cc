#include "transfer/create_table_columns.h"

#include <strings.h>

#include <cctype>
#include <cstring>

namespace {

// Reads the statement a word or name at a time.
class Scanner {
 public:
  explicit Scanner(const std::string& text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() &&
           isspace(static_cast<unsigned char>(text_[pos_]))) {
      pos_++;
    }
  }

  // Consumes the keyword when the next word is it (any case).
  bool Keyword(const char* word) {
    SkipBlanks();
    size_t length = strlen(word);
    if (text_.size() - pos_ < length ||
        strncasecmp(text_.c_str() + pos_, word, length) != 0) {
      return false;
    }
    size_t end = pos_ + length;
    if (end < text_.size() && IsNameChar(text_[end])) return false;
    pos_ = end;
    return true;
  }

  // Consumes the character when it comes next.
  bool Char(char c) {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    pos_++;
    return true;
  }

  // Reads a name, plain or quoted, into *name (without its quotes); *quoted
  // tells which. A qualified name keeps its last part.
  bool Name(std::string* name, bool* quoted) {
    *quoted = false;
    for (;;) {
      SkipBlanks();
      if (pos_ >= text_.size()) return false;
      char open = text_[pos_];
      char close = open == '[' ? ']' : open;
      if (open == '"' || open == '`' || open == '[') {
        size_t end = text_.find(close, pos_ + 1);
        if (end == std::string::npos || end == pos_ + 1) return false;
        *name = text_.substr(pos_ + 1, end - pos_ - 1);
        *quoted = true;
        pos_ = end + 1;
      } else {
        size_t start = pos_;
        while (pos_ < text_.size() && IsNameChar(text_[pos_])) pos_++;
        if (pos_ == start) return false;
        *name = text_.substr(start, pos_ - start);
      }
      if (pos_ >= text_.size() || text_[pos_] != '.') return true;
      pos_++;
    }
  }

  // Reads the definitions up to the parenthesis that closes the list, one
  // text per definition. The opening parenthesis is already read.
  bool Definitions(std::vector<std::string>* definitions) {
    int depth = 1;
    std::string current;
    while (pos_ < text_.size()) {
      char c = text_[pos_++];
      if (c == '\'' || c == '"' || c == '`') {
        size_t end = text_.find(c, pos_);
        if (end == std::string::npos) return false;
        current += c + text_.substr(pos_, end - pos_ + 1);
        pos_ = end + 1;
        continue;
      }
      if (c == '(') depth++;
      if (c == ')' && --depth == 0) {
        definitions->push_back(current);
        return true;
      }
      if (c == ',' && depth == 1) {
        definitions->push_back(current);
        current.clear();
        continue;
      }
      current += c;
    }
    return false;
  }

 private:
  static bool IsNameChar(char c) {
    return isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
  }

  const std::string& text_;
  size_t pos_ = 0;
};

// The words that begin a table constraint rather than a column.
bool IsConstraintWord(const std::string& word) {
  static const char* const kWords[] = {
      "PRIMARY", "UNIQUE", "KEY",      "INDEX",   "CONSTRAINT",
      "FOREIGN", "CHECK",  "FULLTEXT", "SPATIAL", "EXCLUDE",
  };
  for (const char* constraint : kWords) {
    if (strcasecmp(word.c_str(), constraint) == 0) return true;
  }
  return false;
}

}  // namespace

bool ReadCreateTableColumns(const std::string& statement, std::string* table,
                            std::vector<std::string>* columns) {
  Scanner scanner(statement);
  bool quoted = false;
  if (!scanner.Keyword("CREATE") || !scanner.Keyword("TABLE")) return false;
  if (scanner.Keyword("IF") &&
      !(scanner.Keyword("NOT") && scanner.Keyword("EXISTS"))) {
    return false;
  }
  if (!scanner.Name(table, &quoted) || !scanner.Char('(')) return false;
  std::vector<std::string> definitions;
  if (!scanner.Definitions(&definitions)) return false;
  columns->clear();
  for (const std::string& definition : definitions) {
    Scanner item(definition);
    std::string name;
    if (!item.Name(&name, &quoted)) return false;
    if (!quoted && IsConstraintWord(name)) continue;
    if (!quoted && strcasecmp(name.c_str(), "LIKE") == 0) return false;
    columns->push_back(name);
  }
  return !columns->empty();
}
