// A table rebuilt in a new shape with its rows, as some steps do. On SQLite
// and PostgreSQL the step's transaction protects the rows: they are read,
// the table is dropped and created again and the rows are written back. On
// MySQL and MariaDB, where the drop would commit at once, the new table is
// built and filled under a work name, swapped in with one RENAME TABLE and
// only then is the old one dropped, so that no failure or kill loses a row.
#ifndef SCHEMON_UPGRADE_TABLE_REBUILD_H_
#define SCHEMON_UPGRADE_TABLE_REBUILD_H_

#include "db/driver/driver.h"

struct TableRebuild {
  const char* table;   // the table rebuilt
  const char* select;  // reads the rows to write back
  const char* create;  // "CREATE TABLE <table> (...)": the new shape
  bool with_options;   // created by AddTable (MySQL table options), not DDL
  const char* index;   // "CREATE INDEX ... ON <table>(...)" made with it, or null
  // Writes the new rows from rows into table target, one guarded statement
  // each; returns false when the step must stop.
  bool (*write_rows)(db_result_t rows, const char* target);
};

enum RebuildOutcome {
  kRebuilt,         // done (under -X also past failed statements)
  kRebuildStopped,  // a statement failed and the step must stop
  kRowsUnread,      // the select failed (reported); the table is as it was
};

// Rebuilds the table. On MySQL the work tables are "<table>_upg_new" and
// "<table>_upg_old"; a rerun of the step after a failure or a kill finds
// either the old table untouched or the new one swapped in, and goes on
// from there (see StepReplaying).
RebuildOutcome RebuildTable(const TableRebuild& rebuild);

#endif  // SCHEMON_UPGRADE_TABLE_REBUILD_H_
