// Placeholder until the pgsql backend is built: the driver is not available.

#include "db/driver/backend.h"

namespace driver {

std::unique_ptr<Backend> MakePgsqlBackend() { return nullptr; }

}  // namespace driver
