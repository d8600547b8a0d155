#include "fader.h"

#include "bitmap.h"
#include "knob_drag.h"
#include "mouse_tracking.h"
#include "offscreen_context.h"

Fader::Fader(const Rect &bounds, ControlListener *listener, std::int32_t tag,
             std::int32_t minPosition, std::int32_t maxPosition, Bitmap *handle, Bitmap *background,
             const Point &imageOffset, std::int32_t style)
    : Control(bounds, listener, tag, background), handle(handle), range(maxPosition - minPosition),
      style(style), minPosition(minPosition), maxPosition(maxPosition), startOffset(minPosition),
      controlWidth(bounds.width()), controlHeight(bounds.height()), imageOffset(imageOffset),
      secondForm(false) {
  if (handle) {
    handle->retain();
    handleWidth = handle->getWidth();
    handleHeight = handle->getHeight();
  }
  if (horizontal())
    handleOffset.h = minPosition;
  else
    handleOffset.v = minPosition;
}

Fader::Fader(const Rect &bounds, ControlListener *listener, std::int32_t tag,
             const Point &handleOffset, std::int32_t length, Bitmap *handle, Bitmap *background,
             const Point &imageOffset, std::int32_t style)
    : Control(bounds, listener, tag, background), handleOffset(handleOffset), handle(handle),
      range(0), style(style), minPosition(0), maxPosition(0), startOffset(0),
      controlWidth(bounds.width()), controlHeight(bounds.height()), imageOffset(imageOffset),
      secondForm(true), length(length) {
  if (handle) {
    handle->retain();
    handleWidth = handle->getWidth();
    handleHeight = handle->getHeight();
  }
  setHandleOffset(handleOffset);
}

Fader::~Fader() {
  if (handle)
    handle->release();
  delete offscreen;
}

void Fader::setHandleOffset(const Point &offset) {
  handleOffset = offset;
  if (!secondForm)
    return;
  startOffset = horizontal() ? offset.h : offset.v;
  range = length - (horizontal() ? handleWidth : handleHeight);
  minPosition = startOffset;
  maxPosition = startOffset + range;
  setNeedsRedraw(true);
}

void Fader::setHandle(Bitmap *bitmap) {
  if (bitmap)
    bitmap->retain();
  if (handle)
    handle->release();
  handle = bitmap;
  handleWidth = handle ? handle->getWidth() : 1;
  handleHeight = handle ? handle->getHeight() : 1;
  setHandleOffset(handleOffset);
  setNeedsRedraw(true);
}

FaderTravel Fader::travel() const {
  return {startOffset, range, horizontal() ? handleWidth : handleHeight};
}

Rect Fader::handleRect() const {
  const std::int32_t along = travel().handlePosition(value, style);
  const Point corner = horizontal() ? Point(along, handleOffset.v) : Point(handleOffset.h, along);
  return Rect(corner.h, corner.v, corner.h + handleWidth, corner.v + handleHeight);
}

bool Fader::onAttached(View *) {
  if (!offscreen)
    offscreen = new OffscreenContext(frame, controlWidth, controlHeight, colorBlack);
  return true;
}

bool Fader::onRemoved(View *) {
  delete offscreen;
  offscreen = nullptr;
  return true;
}

void Fader::draw(DrawContext *context) {
  if (!offscreen)
    onAttached(nullptr);
  drawBackground(offscreen, Rect(0, 0, controlWidth, controlHeight), imageOffset);
  if (handle) {
    if (transparentHandle)
      handle->drawTransparent(offscreen, handleRect());
    else
      handle->draw(offscreen, handleRect());
  }
  offscreen->copyTo(context, bounds, Point());
  setNeedsRedraw(false);
}

void Fader::notifyIfChanged(DrawContext *context, float before) {
  notifyIfDifferent(*this, context, before);
}

void Fader::onMouseDown(DrawContext *context, Point &where) {
  if (!mouseEnabled)
    return;
  const std::int32_t pressed = context->getMouseButtons();
  if (!(pressed & kLeftButton))
    return;
  if (pressed == (kLeftButton | kControl)) {
    const float before = value;
    value = defaultValue;
    notifyIfChanged(context, before);
    return;
  }
  Point local = where;
  local.offset(-bounds.left, -bounds.top);
  const FaderTravel track = travel();
  const std::int32_t along = horizontal() ? local.h : local.v;
  std::int32_t grab;
  if (freeClick) {
    grab = track.handleSize / 2 - 1;
  } else {
    if (!handleRect().containsInclusive(local))
      return;
    grab = along - track.handlePosition(value, style);
  }

  beginEdit(*this);
  if (frame)
    frame->setFocusView(this);
  FaderZoom zoom;
  trackMouse(
      *this, context, where, [](std::int32_t buttons) { return (buttons & kLeftButton) != 0; },
      [&](const Point &position, std::int32_t buttons) {
        const float before = value;
        const std::int32_t at = horizontal() ? position.h - bounds.left : position.v - bounds.top;
        value =
            zoom.apply(track.valueAt(at, grab, style), value, (buttons & kShift) != 0, zoomFactor);
        clampValue();
        notifyIfChanged(context, before);
      });
  endEdit(*this);
}

bool Fader::onWheel(DrawContext *context, const Point &, float distance) {
  if (!mouseEnabled)
    return false;
  const float before = value;
  value = knobWheelValue(value, wheelStep, distance, (currentButtons(context) & kShift) != 0);
  clampValue();
  notifyIfChanged(context, before);
  return true;
}

std::int32_t Fader::onKeyDown(VstKeyCode &keyCode) {
  float step = 0.0f;
  if (!knobKeyStep(keyCode.virt, keyCode.modifier, step))
    return -1;
  const float before = value;
  value += wheelStep * step;
  clampValue();
  notifyIfChanged(nullptr, before);
  return 1;
}
