// Fonts through GDI: a face is a HFONT made once per face name, weight and
// size, with the metrics GDI reports for it.
#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/fonts/FontFaceWin32.h"
#include "platform/fonts/FontLibrary.h"

namespace korvan {
namespace {

std::string ToUtf8(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.pop_back();
  return out;
}

// The one device context fonts are measured on; a memory DC needs no window.
HDC MeasuringDc() {
  static const HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

HFONT MakeFont(const std::u16string& faceName, int height, bool bold) {
  // The record of the system's GUI font, as the items take it over, with
  // only the height, the weight and the face changed.
  LOGFONTW record{};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof record, &record) != sizeof record) {
    record = LOGFONTW{};
    record.lfCharSet = DEFAULT_CHARSET;
  }
  record.lfHeight = height;
  record.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  const std::size_t length = std::min<std::size_t>(faceName.size(), LF_FACESIZE - 1);
  std::copy_n(faceName.begin(), length, record.lfFaceName);
  return CreateFontIndirectW(&record);
}

struct Measured {
  FontMetrics metrics;
  int em = 0;
  std::string face;
  int rowsAboveDigits = -1;
};

// The blank rows above the digit '0' as GDI rasterises it one bit deep: the
// ascent less the top of the glyph's black box; -1 without such a glyph.
int RowsAboveDigits(HDC dc, int ascent) {
  GLYPHMETRICS metrics{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  if (GetGlyphOutlineW(dc, L'0', GGO_BITMAP, &metrics, 0, nullptr, &identity) == GDI_ERROR)
    return -1;
  return ascent - static_cast<int>(metrics.gmptGlyphOrigin.y);
}

Measured Measure(HFONT font) {
  Measured m;
  const HDC dc = MeasuringDc();
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  if (GetTextMetricsW(dc, &tm)) {
    m.metrics = {static_cast<int>(tm.tmAscent), static_cast<int>(tm.tmDescent),
                 static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmAveCharWidth)};
    m.em = static_cast<int>(tm.tmHeight - tm.tmInternalLeading);
    m.rowsAboveDigits = RowsAboveDigits(dc, m.metrics.ascent);
  }
  wchar_t name[LF_FACESIZE] = {};
  if (GetTextFaceW(dc, LF_FACESIZE, name) > 0) m.face = ToUtf8(name);
  SelectObject(dc, old);
  return m;
}

// The logical height asked of GDI: the default for 0, the em capped for
// negative heights, the cell capped so its em stays within the cap.
int RequestedHeight(int height) {
  if (height == 0) return -kDefaultEmPixels;
  if (height < 0) return height < -kMaxEmPixels ? -kMaxEmPixels : height;
  return std::min(height, kMaxEmPixels * 2);
}

}  // namespace

FontLibrary& FontLibrary::Instance() {
  static FontLibrary instance;
  return instance;
}

// GDI keeps its fonts itself: nothing of the library's own to hold.
struct FontLibrary::Backend {};

FontLibrary::FontLibrary() = default;

FontLibrary::~FontLibrary() = default;

// Windows has no font files to pin: a pin names the face to ask GDI for.
void FontLibrary::Pin(const std::u16string& faceName, bool bold, std::string path) {
  pins_[{LowerFaceName(faceName), bold}] = std::move(path);
}

std::string FontLibrary::ResolvePath(const std::u16string& faceName, bool bold) {
  const std::u16string lower = LowerFaceName(faceName);
  auto [entry, inserted] = resolved_.try_emplace({lower, bold});
  if (inserted) {
    const HFONT font = MakeFont(faceName, -kDefaultEmPixels, bold);
    if (font != nullptr) {
      entry->second = Measure(font).face;
      DeleteObject(font);
    }
  }
  return entry->second;
}

int FontLibrary::PixelSizeFor(const FontDescription& description, const std::string&) {
  const int requested = RequestedHeight(description.height);
  return requested < 0 ? -requested : std::min(requested, kMaxEmPixels);
}

FontFace& FontLibrary::Face(const FontDescription& description) {
  const auto nameEnd = std::find(description.faceName.begin(), description.faceName.end(), u'\0');
  const std::u16string faceName(description.faceName.begin(), nameEnd);
  const bool bold = description.weight >= kBoldFrom;
  const int requested = RequestedHeight(description.height);
  const auto pin = pins_.find({LowerFaceName(faceName), bold});
  const std::u16string ask =
      pin != pins_.end() ? std::u16string(pin->second.begin(), pin->second.end()) : faceName;
  // Both bytes of every name unit, so no two names share a face.
  std::string key;
  for (char16_t c : LowerFaceName(ask)) {
    key += static_cast<char>(c & 0xFF);
    key += static_cast<char>(c >> 8);
  }
  key += bold ? "#bold" : "#regular";
  std::unique_ptr<FontFace>& slot = faces_[{key, requested}];
  if (!slot) {
    HFONT font = MakeFont(ask, requested, bold);
    Measured m = font != nullptr ? Measure(font) : Measured{};
    if (font != nullptr && m.em > kMaxEmPixels) {  // a cell too tall for the em cap
      DeleteObject(font);
      font = MakeFont(ask, -kMaxEmPixels, bold);
      m = font != nullptr ? Measure(font) : Measured{};
    }
    const int em = requested < 0 ? -requested : std::clamp(m.em, 1, kMaxEmPixels);
    const bool substituted =
        !m.face.empty() &&
        LowerFaceName(ask) != LowerFaceName(std::u16string(m.face.begin(), m.face.end()));
    slot = std::make_unique<FontFace>(std::make_unique<FontFace::Backend>(font), std::move(m.face),
                                      substituted, em, m.metrics, m.rowsAboveDigits);
  }
  return *slot;
}

}  // namespace korvan
