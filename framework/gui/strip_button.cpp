#include "strip_button.h"

#include "mouse_tracking.h"
#include "zone_rules.h"

StripButton::StripButton(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                         std::int32_t frameHeight, Bitmap *image, const Point &imageOffset)
    : Control(bounds, listener, tag, image), frameHeight(frameHeight), imageOffset(imageOffset) {}

void StripButton::draw(DrawContext *context) {
  const std::int32_t y = value != 0.0f ? frameHeight : 0;
  drawBackground(context, bounds, Point(imageOffset.h, imageOffset.v + y));
  lastValue = value;
  setNeedsRedraw(false);
}

void StripButton::onMouseDown(DrawContext *context, Point &where) {
  if (!mouseEnabled)
    return;
  const std::int32_t pressed = context->getMouseButtons();
  const float pressValue = value;
  beginEdit(*this);
  trackMouse(
      *this, context, where, [pressed](std::int32_t buttons) { return buttons == pressed; },
      [&](const Point &position, std::int32_t) {
        const float before = value;
        value = stripButtonValueAt(bounds.containsInclusive(position), pressValue);
        notifyIfDifferent(*this, context, before);
      });
  endEdit(*this);
}

void MomentaryButton::onMouseDown(DrawContext *context, Point &where) {
  if (!mouseEnabled)
    return;
  if (context->getMouseButtons() == kLeftButton) {
    const float pressValue = value;
    beginEdit(*this);
    trackMouse(
        *this, context, where, [](std::int32_t buttons) { return (buttons & kLeftButton) != 0; },
        [&](const Point &position, std::int32_t) {
          const float before = value;
          value = bounds.containsInclusive(position) ? 1.0f : pressValue;
          notifyIfDifferent(*this, context, before);
        });
    endEdit(*this);
  }
  value = 0.0f;
  notifyListener(*this, context);
}
