#pragma once

#include <algorithm>
#include <climits>

namespace korvan {

// Coordinates reach us unchecked from callers; sums saturate instead of
// overflowing, which keeps a far-off box far off.
inline int Saturate(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
inline int AddSaturated(int a, int b) {
  return Saturate(static_cast<long long>(a) + b);
}

struct Point {
  int x = 0;
  int y = 0;

  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;

  friend bool operator==(const Size&, const Size&) = default;
};

// The one rectangle type for boxes, clips and text rectangles. Half-open like
// the classic desktop API: the right column and the bottom row are outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;  /* excluded */
  int bottom = 0; /* excluded */

  int Width() const { return Saturate(static_cast<long long>(right) - left); }
  int Height() const { return Saturate(static_cast<long long>(bottom) - top); }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect Offset(int dx, int dy) const {
    return {AddSaturated(left, dx), AddSaturated(top, dy), AddSaturated(right, dx),
            AddSaturated(bottom, dy)};
  }
  // A rectangle given backwards covers the pixels from its far edge up to
  // and including its start, as a block transfer with a negative extent does.
  Rect Normalized() const {
    Rect r = *this;
    if (r.right < r.left) r = {r.right + 1, r.top, AddSaturated(r.left, 1), r.bottom};
    if (r.bottom < r.top) r = {r.left, r.bottom + 1, r.right, AddSaturated(r.top, 1)};
    return r;
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

// The common part of two rectangles; empty (possibly with right < left) when
// they do not overlap, so callers test IsEmpty rather than the coordinates.
inline Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace korvan
