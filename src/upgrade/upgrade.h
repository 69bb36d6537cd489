// The "upgrade" command: brings a database of schema version 14 to 97 up to
// DB_FORMAT_VERSION one step at a time, each step in a transaction of its
// own, so that a failure leaves the database at the last committed version.
#ifndef SCHEMON_UPGRADE_UPGRADE_H_
#define SCHEMON_UPGRADE_UPGRADE_H_

#include "upgrade/step_table.h"

// Runs the command on g_hDbConnection; prints its outcome on standard output.
void DoUpgrade();

// Returns the step of g_upgradeSteps that starts at version, or null.
const UpgradeStep* FindUpgradeStep(int version);

#endif  // SCHEMON_UPGRADE_UPGRADE_H_
