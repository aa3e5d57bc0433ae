#include "services/virtual-lcd/panel/PanelPage.h"

#include <utility>

namespace korvan::virtual_lcd {
namespace {

constexpr std::string_view kPage = "panel.html";

// The type each kind of file of page/ is served as.
constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
    {".html", "text/html; charset=utf-8"},
    {".css", "text/css; charset=utf-8"},
    {".js", "text/javascript; charset=utf-8"},
};

}  // namespace

std::optional<PanelFileAnswer> FindPanelFile(std::string_view path) {
  if (!path.starts_with('/')) return std::nullopt;
  const std::string_view name = path == "/" ? kPage : path.substr(1);
  for (const PanelFile& file : PanelFiles()) {
    if (file.name != name) continue;
    for (const auto& [ending, type] : kTypes)
      if (name.ends_with(ending)) return PanelFileAnswer{type, file.bytes};
  }
  return std::nullopt;
}

}  // namespace korvan::virtual_lcd
