// Icon and bitmap files through the desktop loader (LoadImageW), read back
// into black-and-white planes by the same rules the decoders follow.
#include <windows.h>

#include <string>

#include "platform/images/ImageDecoding.h"
#include "platform/images/ImageFile.h"

namespace korvan {
namespace {

// Stored paths are UTF-8; backslashes are already this host's separator.
std::wstring WidePath(std::string_view stored) {
  const int length = static_cast<int>(std::min<std::size_t>(stored.size(), 0x7FFF));
  const int wide = MultiByteToWideChar(CP_UTF8, 0, stored.data(), length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, stored.data(), length, out.data(), wide);
  for (wchar_t& c : out) {
    if (c == L'/') c = L'\\';
  }
  return out;
}

// Only regular files within the size cap reach the loader.
bool Loadable(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
    return false;
  const unsigned long long size =
      (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return size > 0 && size <= kMaxImageFileBytes;
}

// A bitmap's pixels as 32-bit BGRA, top row first; empty on failure.
std::vector<std::uint8_t> ReadPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  const HDC dc = GetDC(nullptr);
  const int rows =
      GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != height) pixels.clear();
  return pixels;
}

bool SizeOf(HBITMAP bitmap, BITMAP& out) {
  return bitmap != nullptr && GetObjectW(bitmap, sizeof(out), &out) == sizeof(out) &&
         out.bmWidth > 0 && out.bmHeight > 0 && out.bmWidth <= kMaxImageSide &&
         out.bmHeight <= 2 * kMaxImageSide;
}

// The icon's planes: colour by luminance; transparency from the alpha of a
// 32-bit colour bitmap with any non-zero alpha, else from the AND mask
// (a monochrome icon keeps its XOR image below the mask, twice as tall).
std::unique_ptr<IconImage> ReadIcon(const ICONINFO& info) {
  BITMAP mask{};
  if (!SizeOf(info.hbmMask, mask)) return nullptr;
  const bool mono = info.hbmColor == nullptr;
  const int width = mask.bmWidth, height = mono ? mask.bmHeight / 2 : mask.bmHeight;
  if (height <= 0) return nullptr;
  const auto maskPixels = ReadPixels(info.hbmMask, width, mask.bmHeight);
  BITMAP color{};
  const auto colorPixels =
      mono ? std::vector<std::uint8_t>{}
           : (SizeOf(info.hbmColor, color) ? ReadPixels(info.hbmColor, width, height)
                                           : std::vector<std::uint8_t>{});
  if (maskPixels.empty() || (!mono && colorPixels.empty())) return nullptr;
  const std::size_t count = static_cast<std::size_t>(width) * height;
  const std::uint8_t* image = mono ? maskPixels.data() + count * 4 : colorPixels.data();
  bool alpha = false;
  if (!mono && color.bmBitsPixel == 32) {
    for (std::size_t i = 0; i < count && !alpha; ++i) alpha = image[i * 4 + 3] != 0;
  }
  auto icon = std::make_unique<IconImage>();
  icon->width = width;
  icon->height = height;
  icon->color.resize(count);
  icon->mask.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = image + i * 4;
    // The loader stretches alpha and mask apart; a pixel either keeps
    // opaque is opaque, as the mask-driven icon draw shows it.
    const bool masked = maskPixels[i * 4] != 0;
    const bool transparent = alpha ? masked && IsTransparentAlpha(p[3]) : masked;
    icon->mask[i] = transparent ? 255 : 0;
    icon->color[i] = alpha && transparent ? kBlackPixel : MonochromeOf(p[2], p[1], p[0]);
  }
  return icon;
}

}  // namespace

std::filesystem::path HostPath(std::string_view stored) {
  return std::filesystem::path(WidePath(stored));
}

std::unique_ptr<IconImage> LoadIconFile(const std::filesystem::path& path, int width, int height) {
  if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  const std::wstring& file = path.native();
  if (!Loadable(file)) return nullptr;
  const auto icon = static_cast<HICON>(
      LoadImageW(nullptr, file.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE));
  if (icon == nullptr) return nullptr;
  ICONINFO info{};
  std::unique_ptr<IconImage> image;
  if (GetIconInfo(icon, &info)) {
    image = ReadIcon(info);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  }
  DestroyIcon(icon);
  return image;
}

std::unique_ptr<BitmapImage> LoadBitmapFile(const std::filesystem::path& path) {
  const std::wstring& file = path.native();
  if (!Loadable(file)) return nullptr;
  const auto bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return nullptr;
  std::unique_ptr<BitmapImage> image;
  BITMAP size{};
  if (SizeOf(bitmap, size) && size.bmHeight <= kMaxImageSide) {
    const auto pixels = ReadPixels(bitmap, size.bmWidth, size.bmHeight);
    if (!pixels.empty()) {
      image = std::make_unique<BitmapImage>();
      image->width = size.bmWidth;
      image->height = size.bmHeight;
      for (std::size_t i = 0; i < pixels.size(); i += 4)
        image->pixels.push_back(MonochromeOf(pixels[i + 2], pixels[i + 1], pixels[i]));
    }
  }
  DeleteObject(bitmap);
  return image;
}

}  // namespace korvan
