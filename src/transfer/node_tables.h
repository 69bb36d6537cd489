// The per-node data tables idata_<id> as the database holds them: their
// names, and the query of each database that lists its own tables, so that
// the clearing finds every such table whether or not nodes lists its node.
#ifndef SCHEMON_TRANSFER_NODE_TABLES_H_
#define SCHEMON_TRANSFER_NODE_TABLES_H_

// Returns the query whose one column lists the names of the tables of the
// connected schema for syntax, or null for a code it does not know.
const char* TableListQuery(int syntax);

// Returns true when name is "idata_" followed by decimal digits only
// (either case, as catalogs that keep names in upper case give them).
bool IsNodeDataTableName(const char* name);

#endif  // SCHEMON_TRANSFER_NODE_TABLES_H_
