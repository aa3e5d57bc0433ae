// The 8-bit DIB section of the LCD's size both reference programs draw into,
// and its printing as text art ('#' lit, '.' dark) under a "== name" line.
#pragma once

#include <windows.h>

#include <cstdio>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 43;

struct Surface {
  HDC dc;
  HBITMAP dib;
  unsigned char* bits;
};

Surface MakeSurface() {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = kWidth;
  info.header.biHeight = -kHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 256;
  for (int i = 129; i < 256; ++i) info.colors[i] = {255, 255, 255, 0};
  Surface s{};
  s.dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  s.dib = CreateDIBSection(s.dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                           nullptr, 0);
  s.bits = static_cast<unsigned char*>(bits);
  SelectObject(s.dc, s.dib);
  return s;
}

void Begin(const Surface& s) {
  SelectClipRgn(s.dc, nullptr);
  SetViewportOrgEx(s.dc, 0, 0, nullptr);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(s.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetTextColor(s.dc, 0xFFFFFF);
  SetBkColor(s.dc, 0x000000);
  SetBkMode(s.dc, TRANSPARENT);
}

void Print(const Surface& s, const char* name) {
  GdiFlush();
  std::printf("== %s\n", name);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) std::putchar(s.bits[y * kWidth + x] > 128 ? '#' : '.');
    std::putchar('\n');
  }
}

}  // namespace
