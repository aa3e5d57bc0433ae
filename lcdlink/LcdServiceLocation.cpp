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

std::string OtherWidthOnly() {
  const std::string other = sizeof(void*) == 8 ? "32-bit" : "64-bit";
  return "the LCD service installed here is for " + other + " programs only: use the " + other +
         " Korvan";
}

}  // namespace

LcdServiceLocation LocateLcdService() {
  const char* configured = std::getenv("KORVAN_LCD_SERVICE");
  if (configured != nullptr && *configured != '\0') {
    return {.path = NativePath::FromNarrow(configured)};
  }

  const RegisteredServer registered = RegisteredServerBinary(kLcdServiceClassId);
  switch (registered.status) {
    case RegisteredServer::Status::kFound:
      return {.path = NativePath::FromNarrow(registered.text)};
    case RegisteredServer::Status::kRefused:
      return {.refusal = "the registered one: " + registered.text};
    case RegisteredServer::Status::kOtherWidthOnly:
      return {.otherWidth = OtherWidthOnly()};
    case RegisteredServer::Status::kAbsent:
    case RegisteredServer::Status::kNoRegistry:
      break;
  }
  const std::string fileName = SharedLibraryFileName("lcd-virtual");
  const std::filesystem::path fallback = VirtualLcdFile(fileName);
  if (registered.status == RegisteredServer::Status::kNoRegistry) return {.path = fallback};
  std::error_code error;
  if (!std::filesystem::is_regular_file(fallback, error)) {
    return {.refusal = "none is registered, nor is " + fileName + " beside the program"};
  }
  return {
      .path = fallback,
      .note = "korvan: no LCD service is registered; using " + fileName + " beside the program"};
}

}  // namespace korvan
