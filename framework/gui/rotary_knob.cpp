#include "rotary_knob.h"

#include "bitmap.h"
#include "draw_context.h"
#include "frame.h"
#include "knob_drag.h"
#include "knob_geometry.h"

namespace {

// Keeps the handle image inside the face: half its width plus a margin.
std::int32_t insetForHandle(const Bitmap &handle) {
  return static_cast<std::int32_t>(static_cast<float>(handle.getWidth()) / 2.0f + 2.5f);
}

} // namespace

RotaryKnob::RotaryKnob(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                       Bitmap *background, Bitmap *handle, const Point &handleOffset)
    : Control(bounds, listener, tag, background), handleOffset(handleOffset), handle(handle) {
  if (handle) {
    handle->retain();
    inset = insetForHandle(*handle);
  }
  radius = static_cast<float>(bounds.right - bounds.left) / 2.0f;
  setStartAngle(kKnobDefaultStartAngle);
  setRangeAngle(kKnobDefaultRangeAngle);
}

RotaryKnob::~RotaryKnob() {
  if (handle)
    handle->release();
}

void RotaryKnob::recomputeDerived() {
  const KnobAngles angles = deriveKnobAngles(startAngle, rangeAngle, minimum, maximum);
  halfGap = angles.halfGap;
  slope = angles.slope;
  intercept = angles.intercept;
}

void RotaryKnob::setStartAngle(float angle) {
  startAngle = angle;
  recomputeDerived();
  setNeedsRedraw(true);
}

void RotaryKnob::setRangeAngle(float angle) {
  rangeAngle = angle;
  recomputeDerived();
  setNeedsRedraw(true);
}

void RotaryKnob::valueToPoint(Point &point) const {
  point =
      knobValueToPoint({startAngle, rangeAngle, halfGap, slope, intercept}, value, radius, inset);
}

float RotaryKnob::valueFromPoint(const Point &point) const {
  return knobValueFromPoint({startAngle, rangeAngle, halfGap, slope, intercept}, minimum, maximum,
                            radius, point);
}

void RotaryKnob::setShadowColor(Color color) {
  shadowColor = color;
  setNeedsRedraw(true);
}

void RotaryKnob::setLineColor(Color color) {
  lineColor = color;
  setNeedsRedraw(true);
}

void RotaryKnob::setHandleBitmap(Bitmap *bitmap) {
  if (bitmap)
    bitmap->retain();
  if (handle)
    handle->release();
  handle = bitmap;
  if (handle)
    inset = insetForHandle(*handle);
}

void RotaryKnob::draw(DrawContext *context) {
  drawBackground(context, bounds, handleOffset);
  drawHandle(context);
  setNeedsRedraw(false);
}

void RotaryKnob::drawHandle(DrawContext *context) {
  Point tip;
  valueToPoint(tip);
  if (handle) {
    const std::int32_t w = handle->getWidth();
    const std::int32_t h = handle->getHeight();
    tip.offset(bounds.left - w / 2, bounds.top - h / 2);
    handle->drawTransparent(context, Rect(tip.h, tip.v, tip.h + w, tip.v + h), Point());
    return;
  }
  Point centre(bounds.width() / 2, bounds.height() / 2);
  tip.offset(bounds.left - 1, bounds.top);
  centre.offset(bounds.left - 1, bounds.top);
  context->setFrameColor(shadowColor);
  context->moveTo(tip);
  context->lineTo(centre);
  // The visible line sits one pixel up and right of its shadow.
  tip.offset(1, -1);
  centre.offset(1, -1);
  context->setFrameColor(lineColor);
  context->moveTo(tip);
  context->lineTo(centre);
}

void RotaryKnob::notifyIfChanged(DrawContext *context) {
  if (needsRedraw() && listener)
    listener->valueChanged(context, this);
}

void RotaryKnob::onMouseDown(DrawContext *context, Point &where) {
  if (!mouseEnabled)
    return;
  const std::int32_t buttons = context->getMouseButtons();
  if (!(buttons & kLeftButton))
    return;
  if (buttons == (kLeftButton | kControl)) {
    value = getDefaultValue();
    notifyIfChanged(context);
    return;
  }

  const Point origin(bounds.left, bounds.top);
  const auto relative = [&origin](Point p) { return p.offset(-origin.h, -origin.v); };
  const bool linear = isLinearKnobDrag(frame ? frame->knobMode() : 0, buttons);
  LinearKnobDrag linearDrag(value, minimum, maximum, buttons, fineFactor, where);
  CircularKnobDrag circularDrag(linear ? value : valueFromPoint(relative(where)), minimum, maximum);

  if (frame) {
    frame->beginEdit(tag);
    frame->setFocusView(this);
  }
  Point position = where;
  Point lastPoint(-1, -1);
  std::int32_t state;
  do {
    state = context->getMouseButtons();
    if (position != lastPoint) {
      lastPoint = position;
      if (linear) {
        value = linearDrag.valueAt(position, state);
        clampValue();
      } else {
        value = circularDrag.follow(valueFromPoint(relative(position)));
      }
      notifyIfChanged(context);
    }
    context->getMouseLocation(position);
    runIdle();
    // A window destroyed under the drag will never see the button come up.
  } while ((state & kLeftButton) && (!frame || frame->isOpen()));
  if (frame)
    frame->endEdit(tag);
}

bool RotaryKnob::onWheel(DrawContext *context, const Point &, float distance) {
  if (!mouseEnabled)
    return false;
  const bool shift = (currentButtons(context) & kShift) != 0;
  value = knobWheelValue(value, wheelStep, distance, shift);
  clampValue();
  notifyIfChanged(context);
  return true;
}

std::int32_t RotaryKnob::onKeyDown(VstKeyCode &keyCode) {
  float step = 0.0f;
  if (!knobKeyStep(keyCode.virt, keyCode.modifier, step))
    return -1;
  value += wheelStep * step;
  clampValue();
  notifyIfChanged(nullptr);
  return 1;
}
