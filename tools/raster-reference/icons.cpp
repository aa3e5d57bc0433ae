// Loads icon files with the real loader (LoadImageW, LR_LOADFROMFILE, at a
// requested size) and draws them with DrawIconEx(DI_NORMAL) into the 8-bit
// DIB over white and black content, printing each scene as text art. Built
// with MinGW and run under Wine by run.sh; IconReferenceTest draws the same
// scenes with our loader. Argument: the repository root as a Windows path.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "dib_surface.h"

namespace {

std::wstring root;

void Fill(const Surface& s, int left, int top, int right, int bottom, int stock) {
  RECT r{left, top, right, bottom};
  FillRect(s.dc, &r, static_cast<HBRUSH>(GetStockObject(stock)));
}

void Draw(const Surface& s, const wchar_t* file, int x, int y, int cx, int cy) {
  const std::wstring path = root + L"\\" + file;
  HICON icon =
      static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
  if (icon == nullptr) {
    std::printf("load %ls at %dx%d failed\n", file, cx, cy);
    return;
  }
  // The icon's own size, as the loader made it.
  ICONINFO info{};
  BITMAP bitmap{};
  GetIconInfo(icon, &info);
  GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  const int maskHeight = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
  std::printf("loaded %ls at %dx%d: %ldx%d\n", file, cx, cy, bitmap.bmWidth, maskHeight);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DrawIconEx(s.dc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
}

// The project's own icons at their own size, over a white lower half and a
// white column, so black, white and transparent pixels all show.
void ProjectIcons(const Surface& s) {
  Begin(s);
  Fill(s, 0, 20, kWidth, kHeight, WHITE_BRUSH);
  Fill(s, 8, 0, 12, kHeight, WHITE_BRUSH);
  Draw(s, L"assets\\images\\seafire\\1_0.ico", 2, 2, 15, 30);
  Draw(s, L"assets\\images\\me109\\4_1.ico", 20, 2, 38, 30);
  Draw(s, L"assets\\images\\f4u\\2_0.ico", 60, 2, 23, 30);
  Draw(s, L"assets\\images\\zero\\1_0.ico", 86, 2, 29, 30);
  Draw(s, L"assets\\images\\yak1\\4_0.ico", 117, 2, 42, 30);
  Print(s, "icons project");
}

// The project's icons loaded at other sizes than their pictures': scaled by
// the loader, as an icon item of another width does.
void ProjectIconsScaled(const Surface& s) {
  Begin(s);
  Fill(s, 0, 20, kWidth, kHeight, WHITE_BRUSH);
  Draw(s, L"assets\\images\\seafire\\3_0.ico", 2, 2, 20, 30);
  Draw(s, L"assets\\images\\me109\\4_1.ico", 25, 2, 19, 30);
  Draw(s, L"assets\\images\\zero\\2_0.ico", 47, 2, 30, 30);
  Draw(s, L"assets\\images\\me109\\1_0.ico", 80, 2, 18, 15);
  Draw(s, L"assets\\images\\yak1\\4_0.ico", 100, 2, 25, 30);
  Draw(s, L"assets\\images\\f4u\\3_0.ico", 128, 2, 29, 40);
  Print(s, "icons project scaled");
}

// One file with 16, 32 (4 and 8 bits) and 48 pixel entries, each picture
// different, loaded at several sizes: which entry and how it is scaled.
void Sizes(const Surface& s, const wchar_t* file, const char* name) {
  Begin(s);
  Draw(s, file, 2, 1, 16, 16);
  Draw(s, file, 20, 1, 24, 24);
  Draw(s, file, 46, 1, 30, 30);
  Draw(s, file, 78, 1, 40, 40);
  Draw(s, file, 120, 1, 20, 20);
  Draw(s, file, 142, 1, 16, 40);
  Print(s, name);
}

// One entry of each kind over a background white on its left half: opaque,
// transparent and inverting pixels, at the entry's size and scaled.
void Masks(const Surface& s) {
  Begin(s);
  const wchar_t* files[] = {
      L"tests\\data\\icons\\mask-1bit.ico",        L"tests\\data\\icons\\mask-4bit.ico",
      L"tests\\data\\icons\\mask-8bit.ico",        L"tests\\data\\icons\\mask-24bit.ico",
      L"tests\\data\\icons\\mask-32bit-alpha.ico", L"tests\\data\\icons\\mask-32bit-noalpha.ico",
      L"tests\\data\\icons\\mask-png.ico",
  };
  int x = 2;
  for (const wchar_t* file : files) {
    Fill(s, x - 1, 0, x + 10, kHeight, WHITE_BRUSH);
    Draw(s, file, x, 1, 16, 16);
    Draw(s, file, x, 21, 20, 20);
    x += 23;
  }
  Print(s, "icons masks");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: icons.exe REPOSITORY-ROOT\n");
    return 2;
  }
  const int n = MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, nullptr, 0);
  root.resize(static_cast<size_t>(n));
  MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, root.data(), n);
  root.resize(std::wcslen(root.c_str()));
  Surface s = MakeSurface();
  ProjectIcons(s);
  ProjectIconsScaled(s);
  Sizes(s, L"tests\\data\\icons\\sizes-ascending.ico", "icons sizes ascending");
  Sizes(s, L"tests\\data\\icons\\sizes-descending.ico", "icons sizes descending");
  Masks(s);
  DeleteDC(s.dc);
  DeleteObject(s.dib);
  return 0;
}
