// Draws a fixed set of scenes with the real desktop drawing API into an 8-bit
// DIB section of the LCD's size and prints each as text art ('#' lit, '.'
// dark), followed by the measured numbers. Built with MinGW and run under
// Wine by run.sh; our raster context's tests pin what it shows.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "dib_surface.h"

namespace {

HFONT MakeFont(int height, int weight) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfQuality = NONANTIALIASED_QUALITY;
  lstrcpyW(font.lfFaceName, L"Microsoft Sans Serif");
  return CreateFontIndirectW(&font);
}

void Rectangles(const Surface& s) {
  Begin(s);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RECT fill{2, 3, 10, 8};
  FillRect(s.dc, &fill, white);
  RECT frame{12, 3, 20, 8};
  FrameRect(s.dc, &frame, white);
  RECT invert{5, 5, 15, 10};
  InvertRect(s.dc, &invert);
  RECT backwards{30, 10, 25, 5};
  FillRect(s.dc, &backwards, white);
  RECT frameBackwards{40, 10, 35, 5};
  FrameRect(s.dc, &frameBackwards, white);
  RECT thin{45, 3, 46, 8};
  FrameRect(s.dc, &thin, white);
  SetPixel(s.dc, 50, 3, 0xFFFFFF);
  SetPixel(s.dc, 52, 3, 0x808080);
  SetPixel(s.dc, 54, 3, 0x818181);
  Print(s, "rectangles");
}

void Lines(const Surface& s) {
  Begin(s);
  HGDIOBJ old = SelectObject(s.dc, GetStockObject(WHITE_PEN));
  MoveToEx(s.dc, 0, 0, nullptr);
  LineTo(s.dc, 10, 3);
  LineTo(s.dc, 10, 10);
  LineTo(s.dc, 0, 12);
  MoveToEx(s.dc, 15, 0, nullptr);
  LineTo(s.dc, 25, 10);
  MoveToEx(s.dc, 30, 10, nullptr);
  LineTo(s.dc, 33, 0);
  MoveToEx(s.dc, 40, 5, nullptr);
  LineTo(s.dc, 40, 5);
  HPEN dot = CreatePen(PS_DOT, 1, 0xFFFFFF);
  SelectObject(s.dc, dot);
  MoveToEx(s.dc, 50, 0, nullptr);
  LineTo(s.dc, 80, 0);
  MoveToEx(s.dc, 50, 2, nullptr);
  LineTo(s.dc, 54, 2);
  LineTo(s.dc, 64, 2);
  MoveToEx(s.dc, 50, 4, nullptr);
  LineTo(s.dc, 50, 20);
  MoveToEx(s.dc, 80, 20, nullptr);
  LineTo(s.dc, 60, 20);
  SelectObject(s.dc, old);
  DeleteObject(dot);
  Print(s, "lines");
}

void ClipAndViewport(const Surface& s) {
  Begin(s);
  HRGN region = CreateRectRgn(40, 5, 60, 20);
  SelectClipRgn(s.dc, region);
  DeleteObject(region);
  SetViewportOrgEx(s.dc, 50, 10, nullptr);
  OffsetViewportOrgEx(s.dc, 0, -2, nullptr);
  RECT fill{0, 0, 20, 20};
  FillRect(s.dc, &fill, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT fill2{-15, 0, -12, 3};
  FillRect(s.dc, &fill2, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Print(s, "clip and viewport");
}

void Metrics(const Surface& s) {
  const int heights[] = {-9, -11, -16, 12};
  for (int weight : {400, 700}) {
    for (int height : heights) {
      HFONT font = MakeFont(height, weight);
      HGDIOBJ old = SelectObject(s.dc, font);
      TEXTMETRICW tm{};
      GetTextMetricsW(s.dc, &tm);
      SIZE digits{};
      GetTextExtentPoint32W(s.dc, L"0123456789", 10, &digits);
      std::printf(
          "metrics height %d weight %d: ascent %ld descent %ld height %ld ave %ld digits %ld\n",
          height, weight, tm.tmAscent, tm.tmDescent, tm.tmHeight, tm.tmAveCharWidth, digits.cx);
      for (const wchar_t* text : {L"O", L"M", L"p", L"Op 45", L"OOOO"}) {
        SIZE extent{};
        GetTextExtentPoint32W(s.dc, text, lstrlenW(text), &extent);
        GLYPHMETRICS glyph{};
        const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        GetGlyphOutlineW(s.dc, text[0], GGO_METRICS, &glyph, 0, nullptr, &identity);
        std::printf("  extent \"%ls\" %ld; first glyph advance %d\n", text, extent.cx,
                    glyph.gmCellIncX);
      }
      SelectObject(s.dc, old);
      DeleteObject(font);
    }
  }
}

void Calc(const Surface& s, const wchar_t* text, int width, UINT format, int left, int right) {
  RECT r{0, 0, width, 10};
  DRAWTEXTPARAMS params{sizeof(params), 0, left, right, 0};
  int h = DrawTextExW(s.dc, const_cast<wchar_t*>(text), -1, &r, format | DT_CALCRECT, &params);
  std::printf("calc \"%ls\" width %d format %#x margins %d,%d: rect %ld,%ld,%ld,%ld height %d\n",
              text, width, format, left, right, r.left, r.top, r.right, r.bottom, h);
}

void Text(const Surface& s) {
  Begin(s);
  HFONT font = MakeFont(-11, 400);
  HGDIOBJ old = SelectObject(s.dc, font);
  TextOutW(s.dc, 0, 0, L"Hello 0123", 10);
  SetBkMode(s.dc, OPAQUE);
  RECT box{0, 10, 40, 30};
  FillRect(s.dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutW(s.dc, 2, 12, L"p 45", 4);
  SetBkMode(s.dc, TRANSPARENT);
  UINT base = DT_NOPREFIX;
  RECT left{50, 0, 110, 12};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"L&1"), -1, &left, base | DT_LEFT, nullptr);
  RECT centre{50, 12, 110, 24};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"12 34"), -1, &centre, base | DT_CENTER, nullptr);
  RECT right{50, 24, 110, 36};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"123 4"), -1, &right, base | DT_RIGHT, nullptr);
  RECT wrap{115, 0, 160, 30};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"one two three four"), -1, &wrap, base | DT_WORDBREAK,
              nullptr);
  RECT cut{0, 32, 30, 43};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"cut at the edge"), -1, &cut, base, nullptr);
  DRAWTEXTPARAMS params{sizeof(params), 0, 1, 1, 0};
  RECT marginLeft{50, 36, 110, 43};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"0"), -1, &marginLeft, base, &params);
  RECT marginRight{135, 31, 160, 43};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"0"), -1, &marginRight, base | DT_RIGHT, &params);
  RECT prefix{115, 31, 135, 43};
  DrawTextExW(s.dc, const_cast<wchar_t*>(L"&ab"), -1, &prefix, 0, nullptr);
  Print(s, "text");

  Calc(s, L"0123", 100, base, 0, 0);
  Calc(s, L"one two three four", 45, base | DT_WORDBREAK, 0, 0);
  Calc(s, L"one two three four", 45, base, 0, 0);
  Calc(s, L"abcdefghijklmnop qr", 20, base | DT_WORDBREAK, 0, 0);
  Calc(s, L"", 100, base, 0, 0);
  Calc(s, L"", 100, base | DT_SINGLELINE, 0, 0);
  Calc(s, L"A\n", 100, base, 0, 0);
  Calc(s, L"\n\n", 100, base, 0, 0);
  Calc(s, L"A\r\nB", 100, base, 0, 0);
  Calc(s, L"A\n\rB", 100, base, 0, 0);
  Calc(s, L"M", 100, base, 1, 1);
  Calc(s, L"M", 100, base, 2, 0);
  Calc(s, L"a  b", 10, base | DT_WORDBREAK, 0, 0);
  Calc(s, L"a   b", 10, base | DT_WORDBREAK, 0, 0);
  Calc(s, L"a b  ", 10, base | DT_WORDBREAK, 0, 0);
  Calc(s, L"ab  ", 100, base | DT_WORDBREAK, 0, 0);
  Calc(s, L"0123", 0, base | DT_WORDBREAK, 0, 0);
  SelectObject(s.dc, old);
  DeleteObject(font);
}

void Sizes(const Surface& s) {
  Begin(s);
  const struct { int height, weight, y; } rows[] = {{-9, 400, 0}, {-11, 400, 10}, {-16, 700, 23}};
  for (const auto& row : rows) {
    HFONT font = MakeFont(row.height, row.weight);
    HGDIOBJ old = SelectObject(s.dc, font);
    TextOutW(s.dc, 0, row.y, L"0123456789 -.:%", 15);
    TextOutW(s.dc, 100, row.y, L"ALT km/h", 8);
    SelectObject(s.dc, old);
    DeleteObject(font);
  }
  Print(s, "sizes");
}

}  // namespace

int main() {
  Surface s = MakeSurface();
  Rectangles(s);
  Lines(s);
  ClipAndViewport(s);
  Metrics(s);
  Text(s);
  Sizes(s);
  DeleteDC(s.dc);
  DeleteObject(s.dib);
  return 0;
}
