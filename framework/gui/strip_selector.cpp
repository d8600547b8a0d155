#include "strip_selector.h"

#include "bitmap.h"
#include "mouse_tracking.h"
#include "strip_rules.h"
#include "zone_rules.h"

StripSelector::StripSelector(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                             std::int32_t imageCount, std::int32_t frameHeight,
                             std::int32_t positions, Bitmap *image, const Point &imageOffset,
                             bool horizontal)
    : Control(bounds, listener, tag, image), imageCount(imageCount), frameHeight(frameHeight),
      positions(positions), imageOffset(imageOffset), horizontal(horizontal) {
  value = 0.0f;
}

void StripSelector::draw(DrawContext *context) {
  const std::int32_t index = stripIndexForValue(value, positions);
  drawBackground(context, bounds, Point(imageOffset.h, imageOffset.v + index * frameHeight));
  setNeedsRedraw(false);
}

void StripSelector::onMouseDown(DrawContext *context, Point &where) {
  if (!mouseEnabled)
    return;
  const std::int32_t pressed = context->getMouseButtons();
  if (pressed == (kLeftButton | kControl)) {
    const float before = value;
    value = defaultValue;
    notifyIfDifferent(*this, context, before);
    return;
  }
  const std::int32_t span =
      horizontal ? (background ? background->getWidth() : bounds.width()) : frameHeight;
  beginEdit(*this);
  trackMouse(
      *this, context, where, [pressed](std::int32_t buttons) { return buttons == pressed; },
      [&](const Point &position, std::int32_t) {
        const float before = value;
        const std::int32_t offset = horizontal ? position.h - bounds.left : position.v - bounds.top;
        value = selectorValueAt(offset, span, positions);
        notifyIfDifferent(*this, context, before);
      });
  endEdit(*this);
}
