#include "toggle_button.h"

#include "bitmap.h"
#include "control_rules.h"
#include "draw_context.h"

ToggleButton::ToggleButton(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                           Bitmap *bitmap)
    : Control(bounds, listener, tag, bitmap) {}

void ToggleButton::draw(DrawContext *context) {
  Point source;
  if (value != 0.0f && background)
    source = Point(0, background->getHeight() / 2);
  drawBackground(context, bounds, source);
  setNeedsRedraw(false);
}

void ToggleButton::onMouseDown(DrawContext *context, Point &) {
  if (!mouseEnabled || !(context->getMouseButtons() & kLeftButton))
    return;
  value = toggledValue(value);
  runIdle();
  if (listener)
    listener->valueChanged(context, this);
}
