// The "upgrade" command: the schema upgrade to the current version.
#ifndef SCHEMON_UPGRADE_UPGRADE_H_
#define SCHEMON_UPGRADE_UPGRADE_H_

// Runs the command; prints its outcome.
void DoUpgrade();

#endif  // SCHEMON_UPGRADE_UPGRADE_H_
