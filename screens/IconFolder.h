#pragma once

#include <filesystem>
#include <string>

namespace korvan {

// Where the icon sets are read from: chosen once at start-up.
struct IconFolder {
  // images, relative to the current folder, or the installed copy in the
  // form the system gave the program's folder (wide on Windows), so a
  // folder named in any language is reached.
  std::filesystem::path folder;
  // A line for standard error, empty when the sets are the current folder's.
  std::string notice;
};

// images/ in `current`, named relative as it always was, when it is there;
// else the installed copy, <program folder>/../share/korvan/images; else
// images/ still, whose icons then draw nothing, said in the notice.
IconFolder ChooseIconFolder(const std::filesystem::path& current,
                            const std::filesystem::path& programFolder);

// The choice for the current folder and the running program, its notice
// said on standard error; returns the folder.
std::filesystem::path IconFolderForThisRun();

}  // namespace korvan
