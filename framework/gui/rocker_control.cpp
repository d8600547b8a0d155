#include "rocker_control.h"

#include "mouse_tracking.h"
#include "zone_rules.h"

RockerControl::RockerControl(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                             std::int32_t frameHeight, Bitmap *image, const Point &imageOffset,
                             std::int32_t style)
    : Control(bounds, listener, tag, image), frameHeight(frameHeight), imageOffset(imageOffset),
      style(style) {
  minimum = -1.0f;
  maximum = 1.0f;
}

void RockerControl::draw(DrawContext *context) {
  const std::int32_t index = value < 0.0f ? 0 : value > 0.0f ? 2 : 1;
  drawBackground(context, bounds, Point(imageOffset.h, imageOffset.v + index * frameHeight));
  setNeedsRedraw(false);
}

void RockerControl::onMouseDown(DrawContext *context, Point &where) {
  if (!mouseEnabled)
    return;
  const float pressValue = value;
  const bool horizontal = (style & kRockerHorizontal) != 0;
  beginEdit(*this);
  trackMouse(
      *this, context, where, [](std::int32_t buttons) { return (buttons & 7) != 0; },
      [&](const Point &position, std::int32_t) {
        const float before = value;
        value = rockerValueAt(horizontal ? position.h - bounds.left : position.v - bounds.top,
                              horizontal ? bounds.width() : bounds.height(),
                              bounds.containsInclusive(position), pressValue);
        notifyIfDifferent(*this, context, before);
      });
  endEdit(*this);
  value = 0.0f;
  notifyListener(*this, context);
}

bool RockerControl::onWheel(DrawContext *context, const Point &, float distance) {
  if (!mouseEnabled)
    return false;
  const float before = value;
  value = distance > 0.0f ? -1.0f : 1.0f;
  notifyIfDifferent(*this, context, before);
  value = 0.0f;
  notifyListener(*this, context);
  return true;
}
