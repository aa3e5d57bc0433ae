#pragma once

#include <cstdint>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan {

// Calls a service's GetInterface at `entry` with `version`. Services differ
// in whether the caller or the callee removes the argument, and on 32-bit
// x86 a wrong guess would leave the stack off by four bytes; the call here
// leaves it right either way.
const LcdServiceTable* CallServiceEntry(void* entry, std::int32_t version);

}  // namespace korvan
