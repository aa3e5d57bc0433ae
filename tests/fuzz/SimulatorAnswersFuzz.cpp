// Any datagram, parsed as either answer, stays inside the sample.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/SimulatorAnswers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  korvan::FlightSample sample;
  korvan::ParseFastAnswer(text.data(), sample);
  korvan::ParseSlowAnswer(text.data(), sample);
  if (std::memchr(sample.aircraftName, '\0', sizeof sample.aircraftName) == nullptr)
    __builtin_trap();
  return 0;
}
