// The look an upgrade step takes at a MySQL or MariaDB database when the
// server refuses one of its DDL statements there, where every DDL statement
// commits on its own: whether what the statement makes is already there (an
// interrupted run made it, or the object is exactly what the step makes),
// still to be made, or an object of the same name and another shape stands
// in its way. Read from information_schema.
#ifndef SCHEMON_UPGRADE_DDL_LOOKUP_H_
#define SCHEMON_UPGRADE_DDL_LOOKUP_H_

#include <string>

#include "upgrade/ddl_statement.h"

struct DdlLook {
  enum State {
    kToDo,       // the statement is to be sent
    kDone,       // the database already is what the statement makes
    kDifferent,  // an object of that name differs; text says how
    kFailed,     // a lookup failed: text is the database's
  };
  State state = kToDo;
  std::string text;
};

// Compares what ddl makes with the connected database: a table by its
// column names in order and their types compared loosely (see LooseType),
// an added column by its type, an index by its uniqueness and columns. A
// table, column or index to drop that is not there is done; a rename is
// done when the tables stand as it leaves them, to do when they stand as it
// needs them, and different otherwise. A column change of another kind and
// DDL that is not read in detail are always to do. Runs its lookups
// silently on g_hDbConnection.
DdlLook LookAtDdl(const DdlStatement& ddl);

#endif  // SCHEMON_UPGRADE_DDL_LOOKUP_H_
