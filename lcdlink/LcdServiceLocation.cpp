#include "lcdlink/LcdServiceLocation.h"

#include <cstdlib>
#include <system_error>

#include "platform/system/ProgramFolder.h"
#include "platform/system/ServiceRegistry.h"
#include "platform/system/SharedLibrary.h"

namespace korvan {

LcdServiceLocation LocateLcdService() {
  const char* configured = std::getenv("KORVAN_LCD_SERVICE");
  if (configured != nullptr && *configured != '\0') return {configured, {}, {}};

  const RegisteredServer registered = RegisteredServerBinary(kLcdServiceClassId);
  switch (registered.status) {
    case RegisteredServer::Status::kFound:
      return {registered.text, {}, {}};
    case RegisteredServer::Status::kRefused:
      return {{}, std::string("the registered one: ").append(registered.text), {}};
    case RegisteredServer::Status::kAbsent:
    case RegisteredServer::Status::kNoRegistry:
      break;
  }
  const std::string fileName = SharedLibraryFileName("lcd-virtual");
  const std::filesystem::path fallback = ProgramFolder() / fileName;
  if (registered.status == RegisteredServer::Status::kNoRegistry) return {fallback, {}, {}};
  std::error_code error;
  if (!std::filesystem::is_regular_file(fallback, error)) {
    return {
        {},
        std::string("none is registered, nor is ").append(fileName).append(" beside the program"),
        {}};
  }
  return {fallback,
          {},
          std::string("korvan: no LCD service is registered; using ")
              .append(fileName)
              .append(" beside the program")};
}

}  // namespace korvan
