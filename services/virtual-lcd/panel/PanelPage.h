#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace korvan::virtual_lcd {

// The web panel's page (page/panel.html) and the style and script it loads,
// built into the plug-in from the files under page/. The page draws the LCD
// on a canvas from /events (or from /frame polls when no stream is to be
// had), with the soft buttons and a status line.
struct PanelFile {
  std::string_view name;  // as in page/, e.g. "panel.css"
  std::string_view bytes;
};
std::span<const PanelFile> PanelFiles();  // made at build time

struct PanelFileAnswer {
  std::string_view type;  // Content-Type
  std::string_view bytes;
};
// The file a GET of `path` is answered with: "/" is the page, "/NAME" a
// file of page/ by its name; nothing for any other path.
std::optional<PanelFileAnswer> FindPanelFile(std::string_view path);

}  // namespace korvan::virtual_lcd
