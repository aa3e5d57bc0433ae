#include "app/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace korvan {
namespace {

constexpr std::size_t kNumberChars = 6;
constexpr std::size_t kNameChars = 13;

// Large enough for any float printed with "%f" (at most 39 digits, a sign
// and the decimals); snprintf bounds it all the same.
constexpr std::size_t kPrintBuffer = 64;

// Formats, then keeps the first six characters.
template <typename... Args>
DisplayText Cut(const char* format, Args... args) {
  char text[kPrintBuffer];
  std::snprintf(text, sizeof text, format, args...);
  return WidenText(std::string_view(text, strnlen(text, kNumberChars)));
}

std::int32_t TruncateToInt32(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kTwoTo31 = 2147483648.0;
  if (value >= kTwoTo31) return std::numeric_limits<std::int32_t>::max();
  if (value < -kTwoTo31) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// The third and fourth characters of "%f" of value / 100: the two digits in
// front of the decimal point of the value, for 0 <= value < 100. Divided in
// double precision, so the printed digits decide: sixtieths of 59.99995 and
// more round up to "60", as a float quotient would not.
void TwoDigits(float value, char16_t* out) {
  char text[kPrintBuffer];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(value) / 100.0);
  const std::size_t length = std::strlen(text);
  out[0] = length > 2 ? static_cast<char16_t>(text[2]) : u'0';
  out[1] = length > 3 ? static_cast<char16_t>(text[3]) : u'0';
}

}  // namespace

DisplayText TruncatedText(double value) {
  return Cut("%d", TruncateToInt32(value));
}

DisplayText IntegerText(std::int32_t value) {
  return Cut("%d", value);
}

DisplayText Fixed2Text(float value) {
  return Cut("%-10.2f", static_cast<double>(value));
}

DisplayText TimeText(float value) {
  DisplayText time;
  if (!std::isfinite(value)) {
    time.chars = {u'0', u'0', u':', u'0', u'0'};
    return time;
  }
  const float whole = std::trunc(value);
  const float sixtieths = (value - whole) * 60.0f;
  TwoDigits(whole, &time.chars[0]);
  time.chars[2] = u':';
  TwoDigits(sixtieths, &time.chars[3]);
  time.chars[5] = u'\0';
  return time;
}

DisplayText NameText(const FlightSample& sample) {
  return WidenText(std::string_view(sample.aircraftName, strnlen(sample.aircraftName, kNameChars)));
}

}  // namespace korvan
