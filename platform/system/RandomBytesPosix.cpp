#include "platform/system/RandomBytes.h"

#include <sys/random.h>
#include <sys/types.h>

namespace korvan {

bool FillRandom(unsigned char* bytes, std::size_t size) {
  return getrandom(bytes, size, 0) == static_cast<ssize_t>(size);
}

}  // namespace korvan
