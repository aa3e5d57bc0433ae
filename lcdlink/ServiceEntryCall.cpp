#include "lcdlink/ServiceEntryCall.h"

#if defined(__i386__)

// The stack pointer is restored from the frame after the call, so it does
// not matter whether the entry popped its argument (__stdcall) or left it
// (__cdecl). The callee-saved registers are kept by the entry in both.
extern "C" const LcdServiceTable* KorvanCallServiceEntry(void* entry, std::int32_t version) asm(
    "korvan_call_service_entry");

asm(R"(
  .text
  .p2align 4
korvan_call_service_entry:
  pushl %ebp
  movl %esp, %ebp
  pushl 12(%ebp)
  call *8(%ebp)
  movl %ebp, %esp
  popl %ebp
  ret
)");

namespace korvan {

const LcdServiceTable* CallServiceEntry(void* entry, std::int32_t version) {
  return KorvanCallServiceEntry(entry, version);
}

}  // namespace korvan

#else

namespace korvan {

// One convention only on every other target.
const LcdServiceTable* CallServiceEntry(void* entry, std::int32_t version) {
  return reinterpret_cast<LcdGetInterfaceFunction>(entry)(version);
}

}  // namespace korvan

#endif
