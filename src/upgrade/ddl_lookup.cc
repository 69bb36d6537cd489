#include "upgrade/ddl_lookup.h"

#include <strings.h>

#include <cctype>
#include <set>
#include <vector>

#include "db/driver/driver.h"
#include "front/globals.h"

namespace {

// Reads the catalogue of the connected database. Each lookup returns false
// after it failed, and *look then holds the failure.
class Catalogue {
 public:
  explicit Catalogue(DdlLook* look) : look_(look) {}

  // *type gets the table's TABLE_TYPE ("BASE TABLE", "VIEW", ...), or the
  // empty text when there is no table of that name.
  bool TableType(const std::string& table, std::string* type) {
    std::vector<std::vector<std::string>> rows;
    if (!Select("SELECT TABLE_TYPE FROM information_schema.TABLES WHERE "
                "TABLE_SCHEMA=DATABASE() AND TABLE_NAME=" +
                    Literal(table),
                &rows)) {
      return false;
    }
    *type = rows.empty() ? "" : rows[0][0];
    return true;
  }

  // *columns gets the table's columns in order, their types loose; empty
  // when there is no table of that name.
  bool Columns(const std::string& table, std::vector<ColumnSpec>* columns) {
    std::vector<std::vector<std::string>> rows;
    if (!Select("SELECT COLUMN_NAME,DATA_TYPE,CHARACTER_MAXIMUM_LENGTH FROM "
                "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
                "TABLE_NAME=" +
                    Literal(table) + " ORDER BY ORDINAL_POSITION",
                &rows)) {
      return false;
    }
    columns->clear();
    for (const auto& row : rows) {
      std::string type = row[1];
      if (strcasecmp(type.c_str(), "varchar") == 0 ||
          strcasecmp(type.c_str(), "char") == 0) {
        type += "(" + row[2] + ")";
      }
      columns->push_back({row[0], LooseType(type)});
    }
    return true;
  }

  // *columns gets the columns of the table's index, in order (empty when
  // there is no such index), *unique whether it is unique.
  bool Index(const std::string& table, const std::string& index, bool* unique,
             std::vector<std::string>* columns) {
    std::vector<std::vector<std::string>> rows;
    if (!Select("SELECT NON_UNIQUE,COLUMN_NAME FROM "
                "information_schema.STATISTICS WHERE TABLE_SCHEMA=DATABASE() "
                "AND TABLE_NAME=" +
                    Literal(table) + " AND INDEX_NAME=" + Literal(index) +
                    " ORDER BY SEQ_IN_INDEX",
                &rows)) {
      return false;
    }
    columns->clear();
    for (const auto& row : rows) columns->push_back(row[1]);
    *unique = !rows.empty() && rows[0][0] == "0";
    return true;
  }

 private:
  static std::string Literal(const std::string& text) {
    return DBPrepareString(g_hDbConnection, text.c_str()).str();
  }

  bool Select(const std::string& query,
              std::vector<std::vector<std::string>>* rows) {
    char error[DBERR_BUFFER_SIZE] = "";
    db_result_t result = DBSelectEx(g_hDbConnection, query.c_str(), error);
    if (result == nullptr) {
      look_->state = DdlLook::kFailed;
      look_->text = error;
      return false;
    }
    int columns = DBGetColumnCount(result);
    for (int r = 0; r < DBGetNumRows(result); r++) {
      rows->emplace_back();
      for (int c = 0; c < columns; c++) {
        rows->back().push_back(DBGetFieldString(result, r, c));
      }
    }
    DBFreeResult(result);
    return true;
  }

  DdlLook* look_;
};

bool SameName(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// "(a, b)" or, with types, "(a integer, b varchar(63))".
std::string ColumnList(const std::vector<ColumnSpec>& columns, bool types) {
  std::string text = "(";
  for (size_t i = 0; i < columns.size(); i++) {
    if (i > 0) text += ", ";
    text += columns[i].name;
    if (types) text += " " + columns[i].type;
  }
  return text + ")";
}

std::string NameList(const std::vector<std::string>& names) {
  std::string text = "(";
  for (size_t i = 0; i < names.size(); i++) {
    text += (i > 0 ? ", " : "") + names[i];
  }
  return text + ")";
}

DdlLook LookAtTable(const DdlStatement& ddl) {
  DdlLook look;
  Catalogue catalogue(&look);
  std::string type;
  if (!catalogue.TableType(ddl.table, &type)) return look;
  if (ddl.kind == DdlStatement::kDropTable) {
    if (type.empty()) look.state = DdlLook::kDone;
    return look;
  }
  if (type.empty()) return look;
  if (strcasecmp(type.c_str(), "BASE TABLE") != 0) {
    look.state = DdlLook::kDifferent;
    std::string kind;
    for (char c : type) kind += static_cast<char>(tolower(c));
    look.text = ddl.table + " exists as a " + kind + "; the step creates a table";
    return look;
  }
  std::vector<ColumnSpec> existing;
  if (!catalogue.Columns(ddl.table, &existing)) return look;
  std::vector<ColumnSpec> wanted = ddl.columns;
  for (ColumnSpec& c : wanted) c.type = LooseType(c.type);
  bool same_names = existing.size() == wanted.size();
  bool same_types = same_names;
  for (size_t i = 0; same_names && i < wanted.size(); i++) {
    same_names = SameName(existing[i].name, wanted[i].name);
    same_types = same_types && existing[i].type == wanted[i].type;
  }
  if (same_names && same_types) {
    look.state = DdlLook::kDone;
    return look;
  }
  look.state = DdlLook::kDifferent;
  look.text = "table " + ddl.table + " exists with columns " +
              ColumnList(existing, same_names) + "; the step creates " +
              ColumnList(wanted, same_names);
  return look;
}

DdlLook LookAtColumn(const DdlStatement& ddl) {
  DdlLook look;
  Catalogue catalogue(&look);
  std::vector<ColumnSpec> existing;
  if (!catalogue.Columns(ddl.table, &existing)) return look;
  const ColumnSpec* found = nullptr;
  for (const ColumnSpec& c : existing) {
    if (SameName(c.name, ddl.name)) found = &c;
  }
  if (ddl.kind == DdlStatement::kDropColumn) {
    // Without the table the database is to say what is wrong.
    if (!existing.empty() && found == nullptr) look.state = DdlLook::kDone;
    return look;
  }
  if (found == nullptr) return look;
  if (found->type == LooseType(ddl.type)) {
    look.state = DdlLook::kDone;
    return look;
  }
  look.state = DdlLook::kDifferent;
  look.text = "column " + ddl.table + "." + found->name + " exists as " +
              found->type + "; the step adds it as " + LooseType(ddl.type);
  return look;
}

std::string DescribeIndex(bool unique, const std::vector<std::string>& cols) {
  return std::string(unique ? "a unique index on " : "an index on ") +
         NameList(cols);
}

DdlLook LookAtIndex(const DdlStatement& ddl) {
  DdlLook look;
  Catalogue catalogue(&look);
  bool unique = false;
  std::vector<std::string> existing;
  if (!catalogue.Index(ddl.table, ddl.name, &unique, &existing)) return look;
  if (ddl.kind == DdlStatement::kDropIndex) {
    if (existing.empty()) look.state = DdlLook::kDone;
    return look;
  }
  if (existing.empty()) return look;
  bool same = unique == ddl.unique && existing.size() == ddl.index_columns.size();
  for (size_t i = 0; same && i < existing.size(); i++) {
    same = SameName(existing[i], ddl.index_columns[i]);
  }
  if (same) {
    look.state = DdlLook::kDone;
    return look;
  }
  look.state = DdlLook::kDifferent;
  look.text = "index " + ddl.name + " of table " + ddl.table + " exists as " +
              DescribeIndex(unique, existing) + "; the step creates " +
              DescribeIndex(ddl.unique, ddl.index_columns);
  return look;
}

// True when the renames can be made in order on the tables of *present.
bool RenamesApply(std::set<std::string> present,
                  const std::vector<std::pair<std::string, std::string>>&
                      renames) {
  for (const auto& r : renames) {
    if (present.count(r.first) == 0 || present.count(r.second) != 0) {
      return false;
    }
    present.erase(r.first);
    present.insert(r.second);
  }
  return true;
}

DdlLook LookAtRenames(const DdlStatement& ddl) {
  DdlLook look;
  Catalogue catalogue(&look);
  std::set<std::string> names, present;
  for (const auto& r : ddl.renames) {
    names.insert(r.first);
    names.insert(r.second);
  }
  for (const std::string& name : names) {
    std::string type;
    if (!catalogue.TableType(name, &type)) return look;
    if (!type.empty()) present.insert(name);
  }
  if (RenamesApply(present, ddl.renames)) return look;
  std::vector<std::pair<std::string, std::string>> undo(ddl.renames.rbegin(),
                                                         ddl.renames.rend());
  for (auto& r : undo) std::swap(r.first, r.second);
  if (RenamesApply(present, undo)) {
    look.state = DdlLook::kDone;
    return look;
  }
  std::string there, missing;
  for (const std::string& name : names) {
    std::string& list = present.count(name) != 0 ? there : missing;
    list += (list.empty() ? "" : ", ") + name;
  }
  look.state = DdlLook::kDifferent;
  look.text = "the step renames";
  for (size_t i = 0; i < ddl.renames.size(); i++) {
    look.text += (i == 0 ? " " : " and ") + ddl.renames[i].first + " to " +
                 ddl.renames[i].second;
  }
  if (!there.empty()) look.text += "; tables " + there + " exist";
  if (!missing.empty()) look.text += "; tables " + missing + " do not";
  return look;
}

}  // namespace

DdlLook LookAtDdl(const DdlStatement& ddl) {
  switch (ddl.kind) {
    case DdlStatement::kCreateTable:
    case DdlStatement::kDropTable:
      return LookAtTable(ddl);
    case DdlStatement::kAddColumn:
    case DdlStatement::kDropColumn:
      return LookAtColumn(ddl);
    case DdlStatement::kCreateIndex:
    case DdlStatement::kDropIndex:
      return LookAtIndex(ddl);
    case DdlStatement::kRenameTables:
      return LookAtRenames(ddl);
    case DdlStatement::kNotDdl:
    case DdlStatement::kModifyColumn:
    case DdlStatement::kOther:
      break;
  }
  return DdlLook();
}
