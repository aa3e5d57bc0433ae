#include <windows.h>
// bcrypt.h needs windows.h first.
#include <bcrypt.h>

#include "platform/system/RandomBytes.h"

namespace korvan {

bool FillRandom(unsigned char* bytes, std::size_t size) {
  return size <= 0xFFFFFFFFu &&
         BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes, static_cast<ULONG>(size),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

}  // namespace korvan
