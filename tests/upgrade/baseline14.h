// The version-14 baseline database of the upgrade tests: the generated
// scripts in tests/upgrade/baseline14/, one per dialect, and a loader that
// fills a fresh test database with the one of its syntax.
#ifndef SCHEMON_TESTS_UPGRADE_BASELINE14_H_
#define SCHEMON_TESTS_UPGRADE_BASELINE14_H_

#include <string>

#include "support/test_db.h"

// Returns the path of the baseline script for a syntax code (MySQL,
// PostgreSQL or SQLite), or "" for a syntax without one.
std::string Baseline14Path(int syntax);

// Runs the baseline script of syntax on db; fails the current test when the
// script is missing or a statement fails.
void LoadBaseline14(TestDatabase* db, int syntax);

#endif  // SCHEMON_TESTS_UPGRADE_BASELINE14_H_
