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

// The value in one view of the registry: 0 for this program's own.
RegisteredServer ReadServerBinary(const std::string& keyName, REGSAM view) {
  HKEY key = nullptr;
  const LSTATUS opened =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE | view, &key);
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

}  // namespace

RegisteredServer RegisteredServerBinary(const std::string& classId) {
  std::string keyName = "SOFTWARE\\Classes\\CLSID\\";
  keyName.append(classId).append("\\ServerBinary");
  RegisteredServer own = ReadServerBinary(keyName, 0);
  if (own.status != RegisteredServer::Status::kAbsent) return own;
  // The 32-bit view for a 64-bit program, the 64-bit one for a 32-bit
  // program on 64-bit Windows; 32-bit Windows ignores the flag and reads
  // its one view again.
  const REGSAM other = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  if (ReadServerBinary(keyName, other).status == RegisteredServer::Status::kFound) {
    return {RegisteredServer::Status::kOtherWidthOnly, {}};
  }
  return own;
}

}  // namespace korvan
