#include "control.h"

#include "bitmap.h"
#include "control_rules.h"
#include "draw_context.h"
#include "frame.h"
#include "system_double_click.h"

Control::Control(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                 Bitmap *background)
    : View(bounds), listener(listener), tag(tag),
      doubleClickInterval(doubleClickIntervalFrom(systemDoubleClickTime())),
      background(background) {
  if (background)
    background->retain();
}

Control::~Control() {
  if (background)
    background->release();
}

bool Control::needsRedraw() {
  return controlNeedsRedraw(value, previousValue, View::needsRedraw());
}

void Control::setNeedsRedraw(bool state) {
  View::setNeedsRedraw(state);
  previousValue = state ? previousValueForcingRedraw(value) : value;
}

void Control::runIdle() {
  if (frame)
    frame->runEditorIdle();
}

void Control::setBackground(Bitmap *bitmap) {
  if (bitmap)
    bitmap->retain();
  if (background)
    background->release();
  background = bitmap;
}

void Control::alignBackgroundOffset() { backgroundOffset = Point(bounds.left, bounds.top); }

void Control::clampValue() { value = clampToRange(value, minimum, maximum); }

bool Control::isDoubleClick() {
  const std::int32_t now = frame ? frame->ticks() : 0;
  const DoubleClickDecision decision = decideDoubleClick(lastClickTime, now, doubleClickInterval);
  lastClickTime = decision.lastClickTime;
  return decision.isDoubleClick;
}

void Control::drawBackground(DrawContext *context, const Rect &rect, const Point &offset) {
  drawImage(background, context, rect, offset);
}

void Control::drawImage(Bitmap *image, DrawContext *context, const Rect &rect,
                        const Point &offset) {
  if (!image)
    return;
  if (transparent)
    image->drawTransparent(context, rect, offset);
  else
    image->draw(context, rect, offset);
}

std::int32_t Control::currentButtons(DrawContext *context) {
  if (context)
    return context->getMouseButtons();
  // Wheel events may come without a context; the modifiers are read all the same.
  DrawContext probe(frame, nullptr, nullptr);
  return probe.getMouseButtons();
}
