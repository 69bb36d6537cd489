// Placeholder until the mysql backend exists: adds nothing.

#include "support/test_db.h"

void AddMysqlBackend(std::vector<BackendUnderTest>*) {}
