// Any request datagram gives a whole answer or none, never past the buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/sim/SimAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const korvan::sim::FlightScript script("Fuzz-1");
  char out[256];
  const std::string_view request(reinterpret_cast<const char*>(data), size);
  const std::size_t length = korvan::sim::WriteAnswer(request, script, 42.0, out);
  if (length > sizeof out) __builtin_trap();
  if (length > 0 && (out[0] != 'A' || out[length - 1] != '\n')) __builtin_trap();
  return 0;
}
