#include "platform/images/BitmapDecoder.h"

#include "platform/images/ByteReader.h"
#include "platform/images/DibDecoder.h"
#include "platform/images/ImageDecoding.h"

namespace korvan {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
}  // namespace

std::unique_ptr<BitmapImage> DecodeBitmap(std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  const auto b = in.U8(0);
  const auto m = in.U8(1);
  const auto bitsOffset = in.U32(10);
  if (!b || !m || !bitsOffset || *b != 'B' || *m != 'M' || *bitsOffset < kFileHeaderSize) {
    return nullptr;
  }
  const auto dib = DecodeDib(file.subspan(kFileHeaderSize), DibSource::kBitmapFile,
                             *bitsOffset - kFileHeaderSize);
  if (!dib) return nullptr;
  auto bitmap = std::make_unique<BitmapImage>();
  bitmap->width = dib->picture.width;
  bitmap->height = dib->picture.height;
  const auto& rgba = dib->picture.rgba;
  bitmap->pixels.resize(rgba.size() / 4);
  for (std::size_t i = 0; i < bitmap->pixels.size(); ++i) {
    bitmap->pixels[i] = MonochromeOf(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2]);
  }
  return bitmap;
}

}  // namespace korvan
