// The ordered list of the core tables: the unit of work of clearing, export
// and import, walked first to last. metadata and the per-node data tables
// are not in it.
#ifndef SCHEMON_TRANSFER_CORE_TABLES_H_
#define SCHEMON_TRANSFER_CORE_TABLES_H_

#define CORE_TABLE_COUNT 74

// The 74 table names in order, followed by a null entry.
extern const char* const g_apszCoreTables[CORE_TABLE_COUNT + 1];

#endif  // SCHEMON_TRANSFER_CORE_TABLES_H_
