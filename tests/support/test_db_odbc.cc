// Placeholder until the odbc backend exists: adds nothing.

#include "support/test_db.h"

void AddOdbcBackends(std::vector<BackendUnderTest>*) {}
