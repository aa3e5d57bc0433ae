#pragma once

#include <cstdint>

#include "platform/raster/Geometry.h"

namespace korvan {

class LcdCanvas;

// Tells the facade which class an item is before it treats it as that class.
enum class LcdItemKind : std::int32_t {
  StreamingText = 0,
  Text = 1,
  Icon = 2,
  ProgressBar = 3,
  Other = 4,
};

// The base of every drawable item: a box on the canvas, a content offset and
// extent, visibility, inversion and background mode. A parent group clips
// each item to its box and moves the drawing origin to origin plus logical
// origin before calling Draw. The virtual operations keep this order in
// every derived class, which appends its own after Update.
class LcdItem {
 public:
  LcdItem() = default;
  virtual ~LcdItem() = default;
  LcdItem(const LcdItem&) = delete;
  LcdItem& operator=(const LcdItem&) = delete;

  virtual std::int32_t Initialize() { return 0; }
  virtual void Shutdown() {}
  virtual void SetOrigin(Point origin) { SetOrigin(origin.x, origin.y); }
  virtual void SetOrigin(int x, int y) { origin_ = {x, y}; }
  virtual const Point& GetOrigin() { return origin_; }
  virtual void SetSize(int cx, int cy) { SetSize(Size{cx, cy}); }
  // Also makes the logical size follow, through the virtual SetLogicalSize.
  virtual void SetSize(const Size& size) {
    size_ = size;
    SetLogicalSize(size_);
  }
  virtual const Size& GetSize() { return size_; }
  virtual int GetWidth() { return GetSize().cx; }
  virtual int GetHeight() { return GetSize().cy; }
  virtual void SetVisible(bool visible) { visible_ = visible; }
  virtual bool IsVisible() { return visible_; }
  virtual void SetInverted(bool inverted) { inverted_ = inverted; }
  virtual void ResetUpdate() {}
  virtual void SetLogicalOrigin(int x, int y) { logicalOrigin_ = {x, y}; }
  virtual void SetLogicalOrigin(const Point& origin) { logicalOrigin_ = origin; }
  virtual const Point& GetLogicalOrigin() { return logicalOrigin_; }
  virtual void SetLogicalSize(int cx, int cy) { logicalSize_ = {cx, cy}; }
  virtual void SetLogicalSize(const Size& size) { logicalSize_ = size; }
  virtual const Size& GetLogicalSize() { return logicalSize_; }
  virtual void SetBackgroundMode(std::int32_t mode) { backgroundMode_ = mode; }
  virtual std::int32_t GetBackgroundMode() { return backgroundMode_; }
  virtual LcdItemKind GetKind() { return kind_; }
  virtual void SetKind(LcdItemKind kind) { kind_ = kind; }
  virtual void Draw(LcdCanvas& canvas) = 0;
  // `now` is the 32-bit millisecond tick; differences are taken modulo 2^32.
  virtual void Update(std::uint32_t now) { static_cast<void>(now); }

  // Not part of the virtual table: only the text item reads the flag.
  bool IsInverted() const { return inverted_; }

 private:
  Size size_;
  Point origin_;
  bool visible_ = true;
  bool inverted_ = false;
  Point logicalOrigin_;
  Size logicalSize_;
  std::int32_t backgroundMode_ = 1;  // transparent
  LcdItemKind kind_ = LcdItemKind::Other;
};

}  // namespace korvan
