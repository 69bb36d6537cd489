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

void PrintQueryError(const char* error_text, const char* query) {
  printf("SQL query failed (%s):\n", error_text);
  SetConsoleColor(CONSOLE_YELLOW);
  printf("%s\n", query);
  SetConsoleColor(CONSOLE_NORMAL);
}

bool ExecQuery(const char* query) {
  if (*query == 0) return true;
  if (g_bShowQueries) EchoQuery(query);
  char error_text[DBERR_BUFFER_SIZE] = "";
  bool success = DBQueryEx(g_hDbConnection, query, error_text);
  if (!success) PrintQueryError(error_text, query);
  return success;
}

db_result_t ExecSelect(const char* query) {
  if (g_bShowQueries) EchoQuery(query);
  char error_text[DBERR_BUFFER_SIZE] = "";
  db_result_t result = DBSelectEx(g_hDbConnection, query, error_text);
  if (result == nullptr) PrintQueryError(error_text, query);
  return result;
}

db_async_result_t ExecSelectUnbuffered(const char* query) {
  if (g_bShowQueries) EchoQuery(query);
  char error_text[DBERR_BUFFER_SIZE] = "";
  db_async_result_t result =
      DBAsyncSelectEx(g_hDbConnection, query, error_text);
  if (result == nullptr) PrintQueryError(error_text, query);
  return result;
}
