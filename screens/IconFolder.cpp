#include "screens/IconFolder.h"

#include <cstdio>
#include <system_error>
#include <utility>

#include "platform/system/ProgramFolder.h"

namespace korvan {
namespace {

constexpr char kHere[] = "images";

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// Stored paths are UTF-8 on every host.
std::string Stored(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

IconFolder ChooseIconFolder(const std::filesystem::path& current,
                            const std::filesystem::path& programFolder) {
  if (IsFolder(current / kHere)) return {kHere, {}};
  if (!programFolder.empty()) {
    const std::filesystem::path installed =
        (programFolder / ".." / "share" / "korvan" / "images").lexically_normal();
    if (IsFolder(installed)) {
      return {Stored(installed),
              "korvan: no images/ folder here; icon sets from " + Stored(installed) + "\n"};
    }
  }
  return {kHere, "korvan: no images/ folder here nor an installed one; the icons stay blank\n"};
}

std::string IconFolderForThisRun() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  IconFolder choice = ChooseIconFolder(error ? "." : current, ProgramFolder());
  if (!choice.notice.empty()) std::fputs(choice.notice.c_str(), stderr);
  return std::move(choice.stored);
}

}  // namespace korvan
