#include "upgrade/table_rebuild.h"

#include <cctype>
#include <cstring>
#include <string>

#include "db/exec.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_resume.h"

namespace {

bool IsNameChar(char c) {
  return isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Returns statement with the first whole-word occurrence of name replaced.
std::string Renamed(const char* statement, const char* name,
                    const std::string& to) {
  std::string text = statement;
  size_t length = strlen(name);
  for (size_t at = text.find(name); at != std::string::npos;
       at = text.find(name, at + 1)) {
    bool starts = at == 0 || !IsNameChar(text[at - 1]);
    bool ends = at + length == text.size() || !IsNameChar(text[at + length]);
    if (starts && ends) return text.replace(at, length, to);
  }
  return text;
}

bool Create(const TableRebuild& r, const std::string& statement) {
  return r.with_options ? AddTable(statement.c_str())
                        : ExecDdl(statement.c_str());
}

RebuildOutcome WriteRows(const TableRebuild& r, db_result_t rows,
                         const char* target) {
  bool written = r.write_rows(rows, target);
  DBFreeResult(rows);
  return written ? kRebuilt : kRebuildStopped;
}

// Drop, create again and write back, inside the step's transaction.
RebuildOutcome RebuildInTransaction(const TableRebuild& r) {
  db_result_t rows = ExecSelect(r.select);
  if (rows == nullptr) return kRowsUnread;
  std::string drop = std::string("DROP TABLE ") + r.table;
  if (StepMustStop(ExecDdl(drop.c_str())) || StepMustStop(Create(r, r.create)) ||
      (r.index != nullptr && StepMustStop(ExecDdl(r.index)))) {
    DBFreeResult(rows);
    return kRebuildStopped;
  }
  return WriteRows(r, rows, r.table);
}

// Build under a work name, fill, swap, drop the old table. Each DDL
// statement commits on its own; the rows written into the work table are
// committed by the RENAME, together with the mark that says so.
RebuildOutcome RebuildBySwap(const TableRebuild& r) {
  const std::string work = std::string(r.table) + "_upg_new";
  const std::string old = std::string(r.table) + "_upg_old";
  if (StepMustStop(Create(r, Renamed(r.create, r.table, work))) ||
      (r.index != nullptr &&
       StepMustStop(ExecDdl(Renamed(r.index, r.table, work).c_str())))) {
    return kRebuildStopped;
  }
  // A rerun past the swap must not read the table again: it is the new one.
  if (!StepReplaying()) {
    db_result_t rows = ExecSelect(r.select);
    if (rows == nullptr) {
      // Under -X the step goes on with the table as it was.
      if (g_bContinueOnError) ExecDdl(("DROP TABLE " + work).c_str());
      return kRowsUnread;
    }
    if (WriteRows(r, rows, work.c_str()) == kRebuildStopped) {
      return kRebuildStopped;
    }
  }
  std::string swap = std::string("RENAME TABLE ") + r.table + " TO " + old +
                     ", " + work + " TO " + r.table;
  if (StepMustStop(ExecDdl(swap.c_str())) ||
      StepMustStop(ExecDdl(("DROP TABLE " + old).c_str()))) {
    return kRebuildStopped;
  }
  return kRebuilt;
}

}  // namespace

RebuildOutcome RebuildTable(const TableRebuild& rebuild) {
  if (g_nDbSyntax == SYNTAX_MYSQL) return RebuildBySwap(rebuild);
  return RebuildInTransaction(rebuild);
}
