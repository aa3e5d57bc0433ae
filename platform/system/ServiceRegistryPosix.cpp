#include "platform/system/ServiceRegistry.h"

namespace korvan {

// Linux keeps no registry of services; the caller falls back on its own.
RegisteredServer RegisteredServerBinary(const std::string&) {
  return {};
}

}  // namespace korvan
