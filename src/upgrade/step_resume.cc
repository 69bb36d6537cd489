#include "upgrade/step_resume.h"

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "db/exec.h"
#include "front/globals.h"
#include "upgrade/ddl_lookup.h"
#include "upgrade/ddl_statement.h"

const char kResumeMarkVariable[] = "UpgradeResumePoint";

namespace {

// The state of the step that is running on MySQL.
struct Journal {
  int version = 0;
  int mark = 0;           // ordinal of the DDL statement of the mark; 0: none
  uint32_t mark_id = 0;   // fingerprint of that statement
  bool row = false;       // config holds a mark row (read or written)
  int ddl_seen = 0;       // DDL statements the step reached so far
  bool wrote = false;     // rows written since the last DDL statement
  // The DDL statements sent since the mark was last written.
  std::vector<DdlStatement> unmarked;
};

// True when DDL statement ddl needs a mark before it: rows were written
// since the last DDL statement (its implicit commit takes them), or a rerun
// that went back to the last mark and sent the statements since then again
// could not tell what they had done, because one of them touches what ddl
// touches.
bool NeedsMark(const Journal& j, const DdlStatement& ddl) {
  if (j.wrote) return true;
  for (const DdlStatement& sent : j.unmarked) {
    if (!DdlStatementsIndependent(sent, ddl)) return true;
  }
  return false;
}

Journal* g_journal = nullptr;

// FNV-1a of a statement's identity: the same for the same change.
uint32_t Fingerprint(const std::string& text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
  return hash;
}

// Runs a statement of the mark: not echoed, reported when it fails.
bool RunMarkStatement(const std::string& query) {
  char error[DBERR_BUFFER_SIZE] = "";
  if (DBQueryEx(g_hDbConnection, query.c_str(), error)) return true;
  PrintQueryError(error, query.c_str());
  return false;
}

// Reads the mark of an interrupted run of this step, if any. A mark of
// another version is a leftover: its row is reused and removed.
bool ReadMark(Journal* j) {
  std::string query = std::string("SELECT var_value FROM config WHERE "
                                  "var_name='") +
                      kResumeMarkVariable + "'";
  char error[DBERR_BUFFER_SIZE] = "";
  db_result_t result = DBSelectEx(g_hDbConnection, query.c_str(), error);
  if (result == nullptr) {
    PrintQueryError(error, query.c_str());
    return false;
  }
  if (DBGetNumRows(result) > 0) {
    j->row = true;
    std::string value = DBGetFieldString(result, 0, 0);
    int version = 0, ordinal = 0;
    uint32_t id = 0;
    if (sscanf(value.c_str(), "%d:%d:%" SCNx32, &version, &ordinal, &id) ==
            3 &&
        version == j->version && ordinal > 0) {
      j->mark = ordinal;
      j->mark_id = id;
    }
  }
  DBFreeResult(result);
  return true;
}

bool WriteMark(Journal* j, int ordinal, uint32_t id) {
  char value[64];
  snprintf(value, sizeof(value), "%d:%d:%08" PRIx32, j->version, ordinal, id);
  std::string query;
  if (j->row) {
    query = std::string("UPDATE config SET var_value='") + value +
            "' WHERE var_name='" + kResumeMarkVariable + "'";
  } else {
    query = std::string("INSERT INTO config (var_name,var_value,is_visible,"
                        "need_server_restart) VALUES ('") +
            kResumeMarkVariable + "','" + value + "',0,0)";
  }
  if (!RunMarkStatement(query)) return false;
  j->row = true;
  return true;
}

// Takes the place of the database for the step's statements on MySQL.
bool RunStepStatement(const char* query, bool loud) {
  // The loss was reported once; nothing more is sent or echoed.
  if (ConnectionLost()) return false;
  Journal* j = g_journal;
  DdlStatement ddl = ParseDdl(query);
  if (ddl.kind == DdlStatement::kNotDdl) {
    if (j->ddl_seen < j->mark) return true;
    j->wrote = true;
    return SendQuery(query, loud);
  }
  int ordinal = ++j->ddl_seen;
  if (ordinal < j->mark) return true;
  uint32_t id = Fingerprint(DdlIdentity(ddl, query));
  if (ordinal == j->mark && id != j->mark_id) {
    // What the interrupted run did cannot be told from what this run would
    // do: go on as a first run from here (under -X), or stop.
    j->mark = 0;
    PrintQueryError(
        "an interrupted run of this step stopped at another statement here",
        query);
    return false;
  }
  // A mark costs a commit that the database writes through to its log:
  // DDL statements on objects of their own (one per per-node table) share
  // the mark before the first of them.
  if (ordinal > j->mark && NeedsMark(*j, ddl)) {
    if (!WriteMark(j, ordinal, id)) return false;
    j->unmarked.clear();
  }
  j->unmarked.push_back(ddl);
  j->wrote = false;
  if (loud && g_bShowQueries) EchoQuery(query);
  char error[DBERR_BUFFER_SIZE] = "";
  if (DBQueryEx(g_hDbConnection, query, error)) return true;
  // Refused: the object may already be what the statement makes (an
  // interrupted run made it, or the server was still making it for the
  // killed run when this one started), or it is another one.
  DdlLook look = LookAtDdl(ddl);
  switch (look.state) {
    case DdlLook::kDone:
      return true;
    case DdlLook::kDifferent:
      PrintQueryError(look.text.c_str(), query);
      return false;
    case DdlLook::kToDo:
    case DdlLook::kFailed:
      break;
  }
  if (loud) PrintQueryError(error, query);
  return false;
}

// Installs the journal and its statement runner for one step.
class JournalScope {
 public:
  explicit JournalScope(Journal* j) {
    g_journal = j;
    SetStatementRunner(RunStepStatement);
  }
  ~JournalScope() {
    SetStatementRunner(nullptr);
    g_journal = nullptr;
  }
};

}  // namespace

bool StepReplaying() {
  return g_journal != nullptr && g_journal->ddl_seen < g_journal->mark;
}

int RunResumableStep(const UpgradeStep& step) {
  if (g_nDbSyntax != SYNTAX_MYSQL) return step.procedure();
  Journal journal;
  journal.version = step.fromVersion;
  if (!ReadMark(&journal)) return 0;
  JournalScope scope(&journal);
  int result = step.procedure();
  if (result == 0) return 0;
  if (StepReplaying()) {
    // The version statement was among what was passed over.
    printf("ERROR: this run of the step ended before the statement at which "
           "its interrupted run stopped\n");
    return 0;
  }
  if (journal.row) {
    std::string remove = std::string("DELETE FROM config WHERE var_name='") +
                         kResumeMarkVariable + "'";
    if (!RunMarkStatement(remove)) return 0;
  }
  return result;
}
