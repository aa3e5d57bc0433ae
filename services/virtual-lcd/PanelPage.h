#pragma once

namespace korvan::virtual_lcd {

// The web panel's one page: the LCD drawn on a canvas from /events (or from
// /frame polls when no stream is to be had), the soft buttons and a status
// line.
extern const char kPanelPage[];

}  // namespace korvan::virtual_lcd
