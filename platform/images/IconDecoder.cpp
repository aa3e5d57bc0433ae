#include "platform/images/IconDecoder.h"

#include <optional>

#include "platform/images/DibDecoder.h"
#include "platform/images/IconDirectory.h"
#include "platform/images/ImageDecoding.h"
#include "platform/images/ImageScaling.h"
#include "platform/images/PngDecoder.h"

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

// Decodes an entry and stretches it to width x height (0 keeps its own size
// in that direction) before the reduction to black and white, as the loader
// stretches the entry's own colours and mask.
std::optional<IconImage> DecodeEntry(std::span<const std::uint8_t> data, int width, int height) {
  RgbaImage picture;
  std::vector<std::uint8_t> andMask;
  bool maskDecides = false;
  if (HasPngSignature(data)) {
    auto png = DecodePng(data);
    if (!png) return std::nullopt;
    picture = std::move(*png);
  } else {
    auto dib = DecodeDib(data, DibSource::kIconEntry, std::nullopt);
    if (!dib) return std::nullopt;
    picture = std::move(dib->picture);
    andMask = std::move(dib->andMask);
    maskDecides = !dib->alphaUsed;
  }
  const int targetWidth = width > 0 ? width : picture.width;
  const int targetHeight = height > 0 ? height : picture.height;
  if (targetWidth != picture.width || targetHeight != picture.height) {
    if (maskDecides) {
      andMask = StretchMask(andMask, picture.width, picture.height, targetWidth, targetHeight);
    }
    picture = StretchPicture(picture, targetWidth, targetHeight);
  }
  return Reduce(picture, maskDecides ? &andMask : nullptr);
}

}  // namespace

std::unique_ptr<IconImage> DecodeIcon(std::span<const std::uint8_t> file, int width, int height) {
  if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  const auto entries = ReadIconDirectory(file);
  const auto chosen = ChooseIconEntry(entries, width, height);
  if (!chosen) return nullptr;
  auto icon = DecodeEntry(entries[*chosen].data, width, height);
  if (!icon) return nullptr;
  return std::make_unique<IconImage>(std::move(*icon));
}

}  // namespace korvan
