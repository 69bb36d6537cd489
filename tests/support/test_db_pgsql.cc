// Placeholder until the pgsql backend exists: adds nothing.

#include "support/test_db.h"

void AddPgsqlBackend(std::vector<BackendUnderTest>*) {}
