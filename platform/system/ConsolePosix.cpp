#include "platform/system/Console.h"

namespace korvan {

// The terminal's streams are the program's own already.
void ShowOutputInParentConsole() {}

void WriteText(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace korvan
