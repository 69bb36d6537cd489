// The upgrade step table: one procedure per schema version from 14 to 97,
// each raising the stored version by exactly one, in ascending order and
// closed by a terminating entry.
#ifndef SCHEMON_UPGRADE_STEP_TABLE_H_
#define SCHEMON_UPGRADE_STEP_TABLE_H_

#define UPGRADE_FIRST_VERSION 14
#define UPGRADE_STEP_COUNT 84

// One version step. procedure returns non-zero when the step completed and
// 0 when it failed; it is null only in the terminating entry.
struct UpgradeStep {
  int fromVersion;
  int (*procedure)();
};

// The 84 steps (14 to 97) in ascending order, then the entry {0, nullptr}.
extern const UpgradeStep g_upgradeSteps[UPGRADE_STEP_COUNT + 1];

#endif  // SCHEMON_UPGRADE_STEP_TABLE_H_
