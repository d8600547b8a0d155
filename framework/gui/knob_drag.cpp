#include "knob_drag.h"

namespace {

constexpr float kPixelsPerRange = 200.0f;
constexpr float kFineShare = 0.1f;

} // namespace

bool isLinearKnobDrag(std::int32_t knobMode, std::int32_t buttons) {
  const bool alt = (buttons & kAlt) != 0;
  return knobMode == kLinearKnobMode ? !alt : alt;
}

LinearKnobDrag::LinearKnobDrag(float entryValue, float minimum, float maximum, std::int32_t buttons,
                               float fineFactor, const Point &anchor)
    : entryValue(entryValue), range(maximum - minimum), fineFactor(fineFactor), step(0.0f),
      lastButtons(buttons), anchor(anchor) {
  step = stepFor(buttons);
}

float LinearKnobDrag::stepFor(std::int32_t buttons) const {
  const float span = (buttons & kShift) ? kPixelsPerRange * fineFactor : kPixelsPerRange;
  return range / span;
}

float LinearKnobDrag::valueAt(const Point &position, std::int32_t buttons) {
  const float delta = static_cast<float>((anchor.v - position.v) + (position.h - anchor.h));
  if (buttons != lastButtons) {
    const float newStep = stepFor(buttons);
    entryValue += delta * (step - newStep);
    step = newStep;
    lastButtons = buttons;
  }
  return delta * step + entryValue;
}

CircularKnobDrag::CircularKnobDrag(float anchorValue, float minimum, float maximum)
    : anchorValue(anchorValue), halfRange((maximum - minimum) / 2.0f), minimum(minimum),
      maximum(maximum) {}

float CircularKnobDrag::follow(float pointValue) {
  if (anchorValue - pointValue > halfRange)
    return maximum;
  if (pointValue - anchorValue > halfRange)
    return minimum;
  anchorValue = pointValue;
  return pointValue;
}

float knobWheelValue(float value, float wheelStep, float distance, bool shift) {
  return value + wheelStep * (shift ? distance * kFineShare : distance);
}

bool knobKeyStep(std::uint8_t virtualKey, std::uint8_t modifier, float &step) {
  switch (virtualKey) {
  case VKEY_LEFT:
  case VKEY_DOWN:
    step = -1.0f;
    break;
  case VKEY_UP:
  case VKEY_RIGHT:
    step = 1.0f;
    break;
  default:
    return false;
  }
  if (modifier & MODIFIER_SHIFT)
    step *= kFineShare;
  return true;
}
