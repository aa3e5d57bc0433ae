#include "lcdlink/LcdServiceLocation.h"

#include <cstdlib>
#include <system_error>

#include "platform/system/ProgramFolder.h"
#include "platform/system/ServiceRegistry.h"
#include "platform/system/SharedLibrary.h"

namespace korvan {
namespace {

// The virtual LCD beside the program (a build tree, the Windows folder),
// else where an installed tree keeps it: <prefix>/lib/korvan beside
// <prefix>/bin. When neither has it, the one beside the program, so a
// failure names the first place looked at.
std::filesystem::path VirtualLcdFile(const std::string& fileName) {
  const std::filesystem::path folder = ProgramFolder();
  const std::filesystem::path beside = folder / fileName;
  if (folder.empty()) return beside;
  const std::filesystem::path installed =
      (folder / ".." / "lib" / "korvan" / fileName).lexically_normal();
  std::error_code error;
  if (!std::filesystem::is_regular_file(beside, error) &&
      std::filesystem::is_regular_file(installed, error)) {
    return installed;
  }
  return beside;
}

}  // namespace

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
  const std::filesystem::path fallback = VirtualLcdFile(fileName);
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
