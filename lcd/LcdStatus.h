#pragma once

#include <cstdint>

namespace korvan {

// Status values of the item library: 0 or more is success.
inline constexpr std::int32_t kStatusOk = 0;
inline constexpr std::int32_t kStatusFail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t kStatusOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);

}  // namespace korvan
