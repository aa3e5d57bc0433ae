#include "platform/system/Console.h"

namespace korvan {

// The terminal's streams are the program's own already.
void ShowOutputInParentConsole() {}

}  // namespace korvan
