// The "reindex" command: drops and re-creates the fixed list of secondary
// indexes on the large log and data tables, one after the other.
#ifndef SCHEMON_COMMANDS_REINDEX_H_
#define SCHEMON_COMMANDS_REINDEX_H_

// One index of the list.
struct ReindexEntry {
  const char* index;
  const char* table;
  const char* column;
};

// The indexes in the order they are rebuilt; ends with a null entry.
extern const ReindexEntry g_reindexList[];

// Rebuilds every index of the list on a version-98, unlocked database.
void DoReindex();

// Drops the index silently (it may not exist) and creates it again.
// Returns true when the index was created.
bool RecreateIndex(const char* index, const char* table, const char* column);

#endif  // SCHEMON_COMMANDS_REINDEX_H_
