#include "upgrade/ddl_statement.h"

#include <strings.h>

#include <cctype>
#include <cstring>
#include <initializer_list>

namespace {

struct Token {
  std::string text;
  bool word;  // an identifier, keyword or number (else punctuation or text)
};

bool IsWordChar(char c) {
  return isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

// Splits a statement into words, quoted texts and single punctuation
// characters. A backquoted name is a word without its quotes.
std::vector<Token> Tokenize(const std::string& s) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (isspace(static_cast<unsigned char>(c))) {
      i++;
    } else if (IsWordChar(c)) {
      size_t start = i;
      while (i < s.size() && IsWordChar(s[i])) i++;
      tokens.push_back({s.substr(start, i - start), true});
    } else if (c == '`') {
      size_t end = s.find('`', i + 1);
      if (end == std::string::npos) end = s.size();
      tokens.push_back({s.substr(i + 1, end - i - 1), true});
      i = end + 1;
    } else if (c == '\'' || c == '"') {
      size_t start = i++;
      while (i < s.size() && s[i] != c) {
        if (s[i] == '\\') i++;
        i++;
      }
      i++;
      tokens.push_back({s.substr(start, i - start), false});
    } else {
      tokens.push_back({std::string(1, c), false});
      i++;
    }
  }
  return tokens;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

// Reads the tokens of one statement from a position on.
class Reader {
 public:
  explicit Reader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  bool AtEnd() const { return at_ >= tokens_.size(); }
  // True when the next token is the keyword (or punctuation) word.
  bool Is(const char* word) const {
    return !AtEnd() && strcasecmp(tokens_[at_].text.c_str(), word) == 0;
  }
  // Consumes the next token when it is word.
  bool Take(const char* word) {
    if (!Is(word)) return false;
    at_++;
    return true;
  }
  // Consumes the words in order, or nothing when they do not all follow.
  bool TakeAll(std::initializer_list<const char*> words) {
    size_t start = at_;
    for (const char* w : words) {
      if (!Take(w)) {
        at_ = start;
        return false;
      }
    }
    return true;
  }
  // Consumes a name; false (consuming nothing) when the next token is none.
  bool TakeName(std::string* name) {
    if (AtEnd() || !tokens_[at_].word) return false;
    *name = tokens_[at_++].text;
    return true;
  }
  // Consumes a type word and a width in parentheses right after it.
  bool TakeType(std::string* type) {
    if (!TakeName(type)) return false;
    if (!Is("(")) return true;
    at_++;
    *type += "(";
    while (!AtEnd() && !Is(")")) *type += tokens_[at_++].text;
    if (!Take(")")) return false;
    *type += ")";
    return true;
  }
  // True when a comma follows at the current nesting depth before the end.
  bool CommaAhead() const {
    int depth = 0;
    for (size_t i = at_; i < tokens_.size(); i++) {
      const std::string& t = tokens_[i].text;
      if (t == "(") depth++;
      if (t == ")") depth--;
      if (t == "," && depth == 0 && !tokens_[i].word) return true;
    }
    return false;
  }
  // Returns the tokens of a parenthesised list, split at its top-level
  // commas, and consumes it; false when no complete list follows.
  bool TakeList(std::vector<std::vector<Token>>* items) {
    if (!Take("(")) return false;
    items->emplace_back();
    int depth = 0;
    while (!AtEnd()) {
      const Token& t = tokens_[at_++];
      if (!t.word && t.text == "(") depth++;
      if (!t.word && t.text == ")") {
        if (depth == 0) return true;
        depth--;
      }
      if (!t.word && t.text == "," && depth == 0) {
        items->emplace_back();
      } else {
        items->back().push_back(t);
      }
    }
    return false;
  }

 private:
  std::vector<Token> tokens_;
  size_t at_ = 0;
};

// Words that start a key or constraint clause rather than a column.
const char* const kNotAColumn[] = {
    "PRIMARY", "CONSTRAINT", "UNIQUE", "FOREIGN",   "INDEX",  "KEY",
    "FULLTEXT", "SPATIAL",   "CHECK",  "PARTITION", "PERIOD", "SYSTEM",
};

bool StartsAClause(const Reader& r) {
  if (r.Is("(")) return true;
  for (const char* word : kNotAColumn) {
    if (r.Is(word)) return true;
  }
  return false;
}

void ReadCreateTable(Reader* r, DdlStatement* d) {
  r->TakeAll({"IF", "NOT", "EXISTS"});
  std::vector<std::vector<Token>> items;
  if (!r->TakeName(&d->table) || !r->TakeList(&items)) return;
  for (const auto& item : items) {
    Reader column(item);
    if (StartsAClause(column)) continue;
    ColumnSpec spec;
    if (!column.TakeName(&spec.name) || !column.TakeType(&spec.type)) return;
    d->columns.push_back(spec);
  }
  d->kind = DdlStatement::kCreateTable;
}

void ReadCreateIndex(Reader* r, DdlStatement* d) {
  r->TakeAll({"IF", "NOT", "EXISTS"});
  std::vector<std::vector<Token>> items;
  if (!r->TakeName(&d->name) || !r->Take("ON") || !r->TakeName(&d->table) ||
      !r->TakeList(&items)) {
    return;
  }
  for (const auto& item : items) {
    Reader column(item);
    std::string name;
    if (!column.TakeName(&name)) return;
    d->index_columns.push_back(name);
  }
  d->kind = DdlStatement::kCreateIndex;
}

// "ALTER TABLE t ADD|DROP|MODIFY ...": one clause on one column.
void ReadAlterTable(Reader* r, DdlStatement* d) {
  if (!r->TakeName(&d->table) || r->CommaAhead()) return;
  DdlStatement::Kind kind;
  if (r->Take("ADD")) {
    kind = DdlStatement::kAddColumn;
  } else if (r->Take("DROP")) {
    kind = DdlStatement::kDropColumn;
  } else if (r->Take("MODIFY")) {
    kind = DdlStatement::kModifyColumn;
  } else {
    return;
  }
  r->Take("COLUMN");
  if (StartsAClause(*r)) return;
  if (kind == DdlStatement::kAddColumn) {
    r->TakeAll({"IF", "NOT", "EXISTS"});
  } else {
    r->TakeAll({"IF", "EXISTS"});
  }
  if (!r->TakeName(&d->name)) return;
  if (kind != DdlStatement::kDropColumn && !r->TakeType(&d->type)) return;
  d->kind = kind;
}

void ReadRenameTables(Reader* r, DdlStatement* d) {
  do {
    std::string from, to;
    if (!r->TakeName(&from) || !r->Take("TO") || !r->TakeName(&to)) {
      d->renames.clear();
      return;
    }
    d->renames.emplace_back(from, to);
  } while (r->Take(","));
  if (!r->AtEnd()) {
    d->renames.clear();
    return;
  }
  d->table = d->renames.front().first;
  d->kind = DdlStatement::kRenameTables;
}

}  // namespace

DdlStatement ParseDdl(const std::string& statement) {
  DdlStatement d;
  Reader r(Tokenize(statement));
  bool create = r.Take("CREATE");
  bool drop = !create && r.Take("DROP");
  bool alter = !create && !drop && r.Take("ALTER");
  bool rename = !create && !drop && !alter && r.Take("RENAME");
  if (!create && !drop && !alter && !rename && !r.Take("TRUNCATE")) return d;
  d.kind = DdlStatement::kOther;
  if (create && r.Take("TABLE")) {
    ReadCreateTable(&r, &d);
  } else if (create && (r.Is("UNIQUE") || r.Is("INDEX"))) {
    d.unique = r.Take("UNIQUE");
    if (r.Take("INDEX")) ReadCreateIndex(&r, &d);
  } else if (drop && r.Take("TABLE")) {
    r.TakeAll({"IF", "EXISTS"});
    if (r.TakeName(&d.table) && !r.CommaAhead()) {
      d.kind = DdlStatement::kDropTable;
    }
  } else if (drop && r.Take("INDEX")) {
    r.TakeAll({"IF", "EXISTS"});
    if (r.TakeName(&d.name) && r.Take("ON") && r.TakeName(&d.table)) {
      d.kind = DdlStatement::kDropIndex;
    }
  } else if (alter && r.Take("TABLE")) {
    ReadAlterTable(&r, &d);
  } else if (rename && r.Take("TABLE")) {
    ReadRenameTables(&r, &d);
  }
  if (d.kind == DdlStatement::kOther) {
    // A statement read only in part says nothing of its objects.
    DdlStatement other;
    other.kind = DdlStatement::kOther;
    return other;
  }
  return d;
}

std::string DdlIdentity(const DdlStatement& d, const std::string& statement) {
  const std::string table = Lower(d.table);
  const std::string object = table + "." + Lower(d.name);
  switch (d.kind) {
    case DdlStatement::kCreateTable:
      return "create table " + table;
    case DdlStatement::kDropTable:
      return "drop table " + table;
    case DdlStatement::kAddColumn:
      return "add column " + object;
    case DdlStatement::kDropColumn:
      return "drop column " + object;
    case DdlStatement::kModifyColumn:
      return "modify column " + object;
    case DdlStatement::kCreateIndex:
      return "create index " + object;
    case DdlStatement::kDropIndex:
      return "drop index " + object;
    case DdlStatement::kRenameTables: {
      std::string text = "rename table";
      for (size_t i = 0; i < d.renames.size(); i++) {
        text += (i == 0 ? " " : ", ") + Lower(d.renames[i].first) + " to " +
                Lower(d.renames[i].second);
      }
      return text;
    }
    case DdlStatement::kNotDdl:
    case DdlStatement::kOther:
      break;
  }
  std::string folded;
  for (char c : statement) {
    bool blank = isspace(static_cast<unsigned char>(c));
    if (blank && (folded.empty() || folded.back() == ' ')) continue;
    folded += blank ? ' ' : c;
  }
  if (!folded.empty() && folded.back() == ' ') folded.pop_back();
  return folded;
}

namespace {

// The tables a statement changes, in lower case.
std::vector<std::string> TablesOf(const DdlStatement& d) {
  std::vector<std::string> tables;
  if (d.kind == DdlStatement::kRenameTables) {
    for (const auto& r : d.renames) {
      tables.push_back(Lower(r.first));
      tables.push_back(Lower(r.second));
    }
  } else {
    tables.push_back(Lower(d.table));
  }
  return tables;
}

bool ChangesAColumn(const DdlStatement& d) {
  return d.kind == DdlStatement::kAddColumn ||
         d.kind == DdlStatement::kDropColumn ||
         d.kind == DdlStatement::kModifyColumn;
}

bool ChangesAnIndex(const DdlStatement& d) {
  return d.kind == DdlStatement::kCreateIndex ||
         d.kind == DdlStatement::kDropIndex;
}

}  // namespace

bool DdlStatementsIndependent(const DdlStatement& a, const DdlStatement& b) {
  if (a.kind == DdlStatement::kOther || b.kind == DdlStatement::kOther ||
      a.kind == DdlStatement::kNotDdl || b.kind == DdlStatement::kNotDdl) {
    return false;
  }
  bool shared = false;
  for (const std::string& ta : TablesOf(a)) {
    for (const std::string& tb : TablesOf(b)) shared = shared || ta == tb;
  }
  if (!shared) return true;
  bool same_kind = (ChangesAColumn(a) && ChangesAColumn(b)) ||
                   (ChangesAnIndex(a) && ChangesAnIndex(b));
  return same_kind && Lower(a.name) != Lower(b.name);
}

std::string LooseType(const std::string& type) {
  std::string t;
  for (char c : Lower(type)) {
    if (!isspace(static_cast<unsigned char>(c))) t += c;
  }
  size_t paren = t.find('(');
  std::string base = t.substr(0, paren);
  std::string width = paren == std::string::npos ? "" : t.substr(paren);
  if (base == "int" || base == "integer") return "integer";
  if (base == "bigint" || base == "smallint" || base == "tinyint" ||
      base == "mediumint") {
    return base;  // an integer's display width changes nothing it holds
  }
  if (base == "text" || base == "mediumtext" || base == "longtext") {
    return "text";
  }
  return base + width;
}
