#include "commands/reindex.h"

#include <cstdio>
#include <cstring>

#include "db/driver/syntax.h"
#include "db/exec.h"
#include "db/lock.h"
#include "front/globals.h"

const ReindexEntry g_reindexList[] = {
    {"idx_raw_dci_values_item_id", "raw_dci_values", "item_id"},
    {"idx_event_log_event_timestamp", "event_log", "event_timestamp"},
    {"idx_thresholds_item_id", "thresholds", "item_id"},
    {"idx_thresholds_sequence", "thresholds", "sequence_number"},
    {"idx_alarm_notes_alarm_id", "alarm_notes", "alarm_id"},
    {"idx_syslog_msg_timestamp", "syslog", "msg_timestamp"},
    {"idx_snmp_trap_log_trap_timestamp", "snmp_trap_log", "trap_timestamp"},
    {"idx_address_lists_list_type", "address_lists", "list_type"},
    {nullptr, nullptr, nullptr}};

namespace {

// How each syntax drops an index: MySQL and SQL Server name the table too.
const char* const kDropIndexFormat[SYNTAX_COUNT] = {
    "DROP INDEX %s ON %s",  // MySQL
    "DROP INDEX %s",        // PostgreSQL
    "DROP INDEX %s ON %s",  // Microsoft SQL Server
    "DROP INDEX %s",        // Oracle
    "DROP INDEX %s",        // SQLite
};

}  // namespace

bool RecreateIndex(const char* index, const char* table, const char* column) {
  printf("Reindexing table %s by (%s)...\n", table, column);
  const char* drop_format = (g_nDbSyntax >= 0 && g_nDbSyntax < SYNTAX_COUNT)
                                ? kDropIndexFormat[g_nDbSyntax]
                                : "DROP INDEX %s";
  char query[1024];
  snprintf(query, sizeof query, drop_format, index, table);
  DBQuery(g_hDbConnection, query);
  snprintf(query, sizeof query, "CREATE INDEX %s ON %s(%s)", index, table,
           column);
  return ExecQuery(query);
}

void DoReindex() {
  if (!CheckSchemaAndLock()) return;
  for (const ReindexEntry* e = g_reindexList; e->index != nullptr; e++) {
    // The raw_dci_values index is not rebuilt on Oracle.
    if (g_nDbSyntax == SYNTAX_ORACLE && e == g_reindexList) continue;
    RecreateIndex(e->index, e->table, e->column);
  }
  printf("Database reindexing complete.\n");
}
