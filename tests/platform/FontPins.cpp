#include "tests/platform/FontPins.h"

#include "platform/fonts/FontLibrary.h"

namespace korvan::testing {

void PinTestFonts() {
  constexpr const char* kDir = "/usr/share/fonts/truetype/liberation/";
  FontLibrary& library = FontLibrary::Instance();
  for (const char16_t* face : {u"Microsoft Sans Serif", u""}) {
    library.Pin(face, false, std::string(kDir) + "LiberationSans-Regular.ttf");
    library.Pin(face, true, std::string(kDir) + "LiberationSans-Bold.ttf");
  }
}

}  // namespace korvan::testing
