// Any configuration file is either refused with a message or gives values in range.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "screens/ConfigurationReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  korvan::Configuration configuration;
  const auto outcome = korvan::ReadConfiguration(file, configuration);
  std::fclose(file);
  if (configuration.address[sizeof configuration.address - 1] != '\0') __builtin_trap();
  const bool loaded = outcome.status == korvan::ConfigurationStatus::kLoaded;
  if (!loaded && std::strlen(outcome.message) == 0) __builtin_trap();
  for (const int value : {configuration.port, configuration.sleep, configuration.countdown,
                          configuration.altitude, configuration.speed})
    if (loaded && (value < 1 || value > 65535)) __builtin_trap();
  return 0;
}
