#include "services/virtual-lcd/frames/FrameJson.h"

namespace korvan::virtual_lcd {

std::string FrameJson(const FrameSnapshot& snapshot, bool withPixels) {
  std::string json = "{\"seq\":" + std::to_string(snapshot.sequence) +
                     ",\"connected\":" + (snapshot.connected ? "true" : "false") +
                     ",\"result\":" + std::to_string(snapshot.lastResult);
  if (withPixels) {
    static constexpr char kHex[] = "0123456789abcdef";
    json += ",\"pixels\":\"";
    for (std::size_t i = 0; i < snapshot.pixels.size(); i += 8) {
      unsigned byte = 0;
      for (std::size_t bit = 0; bit < 8; ++bit) {
        byte = (byte << 1) | (snapshot.pixels[i + bit] > 128 ? 1u : 0u);
      }
      json += kHex[byte >> 4];
      json += kHex[byte & 0xFu];
    }
    json += '"';
  }
  json += '}';
  return json;
}

}  // namespace korvan::virtual_lcd
