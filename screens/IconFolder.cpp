#include "screens/IconFolder.h"

#include <cstdio>
#include <system_error>
#include <utility>

#include "platform/system/Console.h"
#include "platform/system/NativePath.h"
#include "platform/system/ProgramFolder.h"

namespace korvan {
namespace {

constexpr char kHere[] = "images";

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

IconFolder ChooseIconFolder(const std::filesystem::path& current,
                            const std::filesystem::path& programFolder) {
  if (IsFolder(current / kHere)) return {kHere, {}};
  if (!programFolder.empty()) {
    const std::filesystem::path installed =
        (programFolder / ".." / "share" / "korvan" / "images").lexically_normal();
    if (IsFolder(installed)) {
      return {installed, "korvan: no images/ folder here; icon sets from " +
                             NativePath(installed).Text() + "\n"};
    }
  }
  return {kHere, "korvan: no images/ folder here nor an installed one; the icons stay blank\n"};
}

std::filesystem::path IconFolderForThisRun() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  IconFolder choice = ChooseIconFolder(error ? "." : current, ProgramFolder());
  if (!choice.notice.empty()) WriteText(stderr, choice.notice);
  return std::move(choice.folder);
}

}  // namespace korvan
