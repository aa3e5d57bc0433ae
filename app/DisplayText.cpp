#include "app/DisplayText.h"

namespace korvan {

DisplayText WidenText(std::string_view text) {
  DisplayText wide;
  std::size_t i = 0;
  for (; i < text.size() && i < DisplayText::kCapacity && text[i] != '\0'; ++i) {
    wide.chars[i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
  }
  wide.chars[i] = u'\0';
  return wide;
}

}  // namespace korvan
