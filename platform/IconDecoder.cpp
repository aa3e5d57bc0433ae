#include "platform/IconDecoder.h"

#include <optional>

#include "platform/DibDecoder.h"
#include "platform/IconDirectory.h"
#include "platform/ImageLimits.h"
#include "platform/ImageLuminance.h"
#include "platform/ImageScaling.h"
#include "platform/PngDecoder.h"

namespace korvan {

namespace {

// With alpha, transparent pixels get colour 0 so the draw leaves the canvas
// alone; with an AND mask the colour is kept, which lets a masked white
// pixel invert the canvas as the classic icon draw does.
IconImage Reduce(const RgbaImage& picture, const std::vector<std::uint8_t>* andMask) {
  IconImage icon;
  icon.width = picture.width;
  icon.height = picture.height;
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  icon.color.resize(count);
  icon.mask.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = picture.rgba.data() + i * 4;
    const std::uint8_t color = MonochromeOf(p[0], p[1], p[2]);
    if (andMask != nullptr) {
      icon.mask[i] = (*andMask)[i] ? 255 : 0;
      icon.color[i] = color;
    } else {
      const bool transparent = IsTransparentAlpha(p[3]);
      icon.mask[i] = transparent ? 255 : 0;
      icon.color[i] = transparent ? 0 : color;
    }
  }
  return icon;
}

std::optional<IconImage> DecodeEntry(std::span<const std::uint8_t> data) {
  if (HasPngSignature(data)) {
    const auto picture = DecodePng(data);
    if (!picture) return std::nullopt;
    return Reduce(*picture, nullptr);
  }
  const auto dib = DecodeDib(data, DibSource::kIconEntry, std::nullopt);
  if (!dib) return std::nullopt;
  return Reduce(dib->picture, dib->alphaUsed ? nullptr : &dib->andMask);
}

}  // namespace

std::unique_ptr<IconImage> DecodeIcon(std::span<const std::uint8_t> file, int width, int height) {
  if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  const auto entries = ReadIconDirectory(file);
  const auto chosen = ChooseIconEntry(entries, width, height);
  if (!chosen) return nullptr;
  auto icon = DecodeEntry(entries[*chosen].data);
  if (!icon) return nullptr;
  const int targetWidth = width > 0 ? width : icon->width;
  const int targetHeight = height > 0 ? height : icon->height;
  auto result = std::make_unique<IconImage>();
  result->width = targetWidth;
  result->height = targetHeight;
  if (targetWidth == icon->width && targetHeight == icon->height) {
    result->color = std::move(icon->color);
    result->mask = std::move(icon->mask);
  } else {
    result->color =
        ScalePlaneNearest(icon->color, icon->width, icon->height, targetWidth, targetHeight);
    result->mask =
        ScalePlaneNearest(icon->mask, icon->width, icon->height, targetWidth, targetHeight);
  }
  return result;
}

}  // namespace korvan
