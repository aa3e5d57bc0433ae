#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "services/virtual-lcd/frames/FrameRecorder.h"

namespace korvan::virtual_lcd {

struct PanelAddress {
  std::string host;
  int port = 0;
};

// The plug-in's settings, read from the LCD_VIRTUAL_* environment variables
// at every Startup (README.md lists them).
struct Settings {
  static constexpr int kDefaultPort = 8160;
  static constexpr std::int64_t kDefaultRecordMax = 10000;

  std::optional<PanelAddress> panel = PanelAddress{"127.0.0.1", kDefaultPort};  // none: off
  bool terminal = false;
  std::optional<std::filesystem::path> recordFolder;
  std::int64_t recordMax = kDefaultRecordMax;
  RecordFormat recordFormat = RecordFormat::kPgm;
  std::optional<std::string> buttonsFile;
  std::string faults;

  // Values that cannot be read are described in `problems`, one line each,
  // and leave the setting at its safe value (the panel off, the default).
  static Settings FromEnvironment(std::string* problems);
};

}  // namespace korvan::virtual_lcd
