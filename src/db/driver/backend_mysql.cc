// Placeholder until the mysql backend is built: the driver is not available.

#include "db/driver/backend.h"

namespace driver {

std::unique_ptr<Backend> MakeMysqlBackend() { return nullptr; }

}  // namespace driver
