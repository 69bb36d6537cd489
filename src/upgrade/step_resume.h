// Resuming an upgrade step on MySQL and MariaDB, where every DDL statement
// commits on its own, and with it what the step wrote before it. Just before
// each DDL statement it sends, the step writes a mark (its version and the
// ordinal of that statement) in its transaction, so the implicit commit
// carries the mark with the data it belongs to. A rerun of the step passes
// over what the mark says was committed and looks at the database when it
// refuses a DDL statement; the mark goes away with the step's commit.
#ifndef SCHEMON_UPGRADE_STEP_RESUME_H_
#define SCHEMON_UPGRADE_STEP_RESUME_H_

#include "upgrade/step_table.h"

// The server variable in config that holds the mark of an interrupted step:
// "<version>:<ordinal>:<fingerprint of that DDL statement>".
extern const char kResumeMarkVariable[];

// Runs step's procedure inside the transaction the caller began. On MySQL
// every statement of the step goes through the mark: statements that an
// interrupted run of the same step committed are not sent again, and a DDL
// statement that the database refuses is compared with it (see LookAtDdl):
// when what the statement makes is already there the refusal is passed
// over, and an object of another shape fails the statement with a report
// of what differs. After a
// procedure that succeeded the mark is removed in the same transaction.
// Elsewhere the procedure runs alone. Returns the procedure's result; 0 also
// when the mark could not be read, written or removed, or when the step
// ended before it reached the statement its interrupted run stopped at
// (reported).
int RunResumableStep(const UpgradeStep& step);

// True while a rerun of an interrupted step on MySQL passes over what that
// run committed: the statements before the DDL statement of the mark are
// not sent. A step that reads rows only for statements it would send there
// leaves out the read as well.
bool StepReplaying();

#endif  // SCHEMON_UPGRADE_STEP_RESUME_H_
