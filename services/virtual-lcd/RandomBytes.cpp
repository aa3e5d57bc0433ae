#include "services/virtual-lcd/RandomBytes.h"

#include <sys/random.h>
#include <sys/types.h>

namespace korvan::virtual_lcd {

bool FillRandom(unsigned char* bytes, std::size_t size) {
  return getrandom(bytes, size, 0) == static_cast<ssize_t>(size);
}

}  // namespace korvan::virtual_lcd
