// A spring-loaded two-way switch: -1 while held in its first half, +1 in its second, back to 0
// when released. Three strip images: -1, 0, +1.
#pragma once

#include "control.h"

enum RockerStyle : std::int32_t { kRockerHorizontal = 1 };

class RockerControl : public Control {
public:
  RockerControl(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                std::int32_t frameHeight, Bitmap *image, const Point &imageOffset,
                std::int32_t style = 0);

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  bool onWheel(DrawContext *context, const Point &where, float distance) override;

private:
  std::int32_t frameHeight;
  Point imageOffset;
  std::int32_t style;
};
