#include "db/exec.h"

#include <cstdio>

#include "db/console.h"
#include "front/globals.h"

void EchoQuery(const char* query) {
  SetConsoleColor(CONSOLE_WHITE);
  printf(">>> ");
  SetConsoleColor(CONSOLE_GREEN);
  printf("%s\n", query);
  SetConsoleColor(CONSOLE_NORMAL);
}

namespace {

StatementRunner g_runner = nullptr;

// The text of the lost connection has been printed.
bool g_lostReported = false;

// Returns false when the text to be printed is that of the lost connection
// and was printed before; marks it printed otherwise.
bool FirstReportOfLoss() {
  if (!ConnectionLost()) return true;
  if (g_lostReported) return false;
  g_lostReported = true;
  return true;
}

}  // namespace

void PrintQueryError(const char* error_text, const char* query) {
  if (!FirstReportOfLoss()) return;
  printf("SQL query failed (%s):\n", error_text);
  SetConsoleColor(CONSOLE_YELLOW);
  printf("%s\n", query);
  SetConsoleColor(CONSOLE_NORMAL);
}

void PrintDatabaseText(const char* text) {
  if (!FirstReportOfLoss()) return;
  printf("%s\n", text);
}

bool ConnectionLost() { return DBIsConnectionLost(g_hDbConnection); }

bool ReportConnectionLost() {
  if (!ConnectionLost()) return false;
  if (!g_lostReported) {
    printf("ERROR: connection to the database lost\n");
    PrintDatabaseText(DBGetConnectionLostError(g_hDbConnection));
  }
  return true;
}

void SetStatementRunner(StatementRunner runner) { g_runner = runner; }

bool SendQuery(const char* query, bool loud) {
  if (ConnectionLost()) {
    if (loud) ReportConnectionLost();
    return false;
  }
  if (loud && g_bShowQueries) EchoQuery(query);
  char error_text[DBERR_BUFFER_SIZE] = "";
  bool success = DBQueryEx(g_hDbConnection, query, error_text);
  if (!success && loud) PrintQueryError(error_text, query);
  return success;
}

bool RunQuery(const char* query, bool loud) {
  if (g_runner != nullptr) return g_runner(query, loud);
  return SendQuery(query, loud);
}

bool ExecQuery(const char* query) {
  if (*query == 0) return true;
  return RunQuery(query, true);
}

db_result_t ExecSelect(const char* query) {
  if (ReportConnectionLost()) return nullptr;
  if (g_bShowQueries) EchoQuery(query);
  char error_text[DBERR_BUFFER_SIZE] = "";
  db_result_t result = DBSelectEx(g_hDbConnection, query, error_text);
  if (result == nullptr) PrintQueryError(error_text, query);
  return result;
}

db_async_result_t ExecSelectUnbuffered(const char* query) {
  if (ReportConnectionLost()) return nullptr;
  if (g_bShowQueries) EchoQuery(query);
  char error_text[DBERR_BUFFER_SIZE] = "";
  db_async_result_t result =
      DBAsyncSelectEx(g_hDbConnection, query, error_text);
  if (result == nullptr) PrintQueryError(error_text, query);
  return result;
}
