// Emptying the database before an import: after the guard and the
// operator's yes, one transaction drops every per-node data table and
// deletes the rows of every core table. metadata is kept.
#ifndef SCHEMON_TRANSFER_CLEAR_H_
#define SCHEMON_TRANSFER_CLEAR_H_

// Validates, warns, asks and clears. Returns true when the database was
// emptied and the transaction committed; prints its own messages.
bool ClearDatabase();

// ClearDatabase for a database the caller has validated already (version
// and lock): warns, asks and clears.
bool ClearValidatedDatabase();

// Drops every table of the database named idata_ and a number, whether or
// not nodes lists its node; a per-node table that is not there needs
// nothing. With -X failures are passed over.
bool DropNodeDataTables();

// Runs DELETE FROM on every core table in list order. With -X failures are
// passed over.
bool DeleteCoreTableRows();

#endif  // SCHEMON_TRANSFER_CLEAR_H_
