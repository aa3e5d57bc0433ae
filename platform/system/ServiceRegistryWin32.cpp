#include "platform/system/ServiceRegistry.h"

#include <windows.h>

#include <array>
#include <utility>

#include "platform/system/SystemErrorWin32.h"

namespace korvan {
namespace {

// MAX_PATH, the terminator included: what an ANSI path LoadLibraryA takes.
constexpr DWORD kMaxValueBytes = 260;

RegisteredServer Refused(std::string why) {
  return {RegisteredServer::Status::kRefused, std::move(why)};
}

}  // namespace

RegisteredServer RegisteredServerBinary(const std::string& classId) {
  std::string keyName = "SOFTWARE\\Classes\\CLSID\\";
  keyName.append(classId).append("\\ServerBinary");
  HKEY key = nullptr;
  const LSTATUS opened =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return {RegisteredServer::Status::kAbsent, {}};
  if (opened != ERROR_SUCCESS) {
    return Refused("HKLM\\" + keyName + ": " + SystemErrorText(static_cast<DWORD>(opened)));
  }
  // One byte more than a value may have, so a string that fills the buffer
  // still ends in the terminator added here.
  std::array<char, kMaxValueBytes + 1> value{};
  DWORD type = REG_NONE;
  DWORD size = kMaxValueBytes;
  const LSTATUS read =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
  RegCloseKey(key);
  if (read == ERROR_FILE_NOT_FOUND) return {RegisteredServer::Status::kAbsent, {}};
  if (read == ERROR_MORE_DATA) return Refused("the registered path is over 260 bytes");
  if (read != ERROR_SUCCESS) return Refused(SystemErrorText(static_cast<DWORD>(read)));
  if (type != REG_SZ) return Refused("the registered path is not a string");
  // The stored string need not end in a terminator, nor only in one.
  std::string path(value.data(), size);
  path.resize(path.find('\0') == std::string::npos ? path.size() : path.find('\0'));
  if (path.empty()) return Refused("the registered path is empty");
  return {RegisteredServer::Status::kFound, std::move(path)};
}

}  // namespace korvan
