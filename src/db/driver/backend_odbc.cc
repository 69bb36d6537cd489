// Placeholder until the odbc backend is built: the driver is not available.

#include "db/driver/backend.h"

namespace driver {

std::unique_ptr<Backend> MakeOdbcBackend() { return nullptr; }

}  // namespace driver
