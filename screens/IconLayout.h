#pragma once

#include <array>
#include <cstddef>

namespace korvan {

// The status page's aircraft icon sets: the one table the status page, the
// benchmark, the tests and the icon generator (assets/make_icons.py --check
// reads it) take the sets from.

inline constexpr int kIconHeight = 30;

// Each set shows four indicators: gear or flaps (two pairs of two states),
// a four-position control and a three-state one. A set's icons sit in this
// slot order: 1_0 1_1 2_0 2_1 3_0 3_1 3_2 3_3 4_0 4_1 4_2.
inline constexpr std::size_t kIndicatorCount = 4;
inline constexpr std::array<int, kIndicatorCount> kIndicatorStates = {2, 2, 4, 3};

inline constexpr std::size_t FirstSlotOf(std::size_t indicator) {
  std::size_t slot = 0;
  for (std::size_t i = 0; i < indicator; ++i) slot += static_cast<std::size_t>(kIndicatorStates[i]);
  return slot;
}
inline constexpr std::size_t kIconsPerSet = FirstSlotOf(kIndicatorCount);

struct IndicatorPlace {
  int x;
  int width;
};

struct IconSetLayout {
  const char* folder;                                      // under images/
  bool secondPairFirst;                                    // 2_x items are created before 1_x
  std::array<IndicatorPlace, kIndicatorCount> indicators;  // indicators 1 to 4
};

inline constexpr std::array<IconSetLayout, 5> kIconSetLayouts = {{
    {"seafire", false, {{{1, 15}, {16, 30}, {46, 10}, {56, 35}}}},
    {"me109", false, {{{1, 18}, {19, 20}, {39, 15}, {54, 38}}}},
    {"f4u", true, {{{1, 18}, {19, 23}, {42, 15}, {57, 34}}}},
    {"zero", true, {{{12, 29}, {1, 11}, {41, 17}, {58, 33}}}},
    {"yak1", false, {{{1, 16}, {17, 17}, {34, 15}, {49, 42}}}},
}};
inline constexpr std::size_t kIconSets = kIconSetLayouts.size();

}  // namespace korvan
