// How a knob's value follows the mouse, the wheel and the arrow keys, apart from any window.
#pragma once

#include <cstdint>

#include "gui_types.h"

// Virtual keys and modifier of the host's key record that a knob answers.
enum VstVirtualKey : std::uint8_t { VKEY_LEFT = 11, VKEY_UP = 12, VKEY_RIGHT = 13, VKEY_DOWN = 14 };
enum VstModifierKey : std::uint8_t { MODIFIER_SHIFT = 1 };

// Host knob mode 2 drags linearly; alt turns either mode into the other.
constexpr std::int32_t kLinearKnobMode = 2;
bool isLinearKnobDrag(std::int32_t knobMode, std::int32_t buttons);

// Up or right raises the value: one pixel is one step, and 200 pixels cover the range (times the
// fine factor while shift is held).
class LinearKnobDrag {
public:
  LinearKnobDrag(float entryValue, float minimum, float maximum, std::int32_t buttons,
                 float fineFactor, const Point &anchor);

  // The unclamped value for the mouse at `position` with `buttons` held. A change of the buttons
  // moves the entry value so that the value stays where it was at the new sensitivity.
  float valueAt(const Point &position, std::int32_t buttons);

private:
  float stepFor(std::int32_t buttons) const;

  float entryValue;
  float range;
  float fineFactor;
  float step;
  std::int32_t lastButtons;
  Point anchor;
};

// Follows the angle, but never jumps across the dead arc from one end of the range to the other.
class CircularKnobDrag {
public:
  CircularKnobDrag(float anchorValue, float minimum, float maximum);

  // The value for the angle's value `pointValue`.
  float follow(float pointValue);

private:
  float anchorValue;
  float halfRange;
  float minimum;
  float maximum;
};

// Wheel: `distance` steps of `wheelStep`, a tenth of that with shift.
float knobWheelValue(float value, float wheelStep, float distance, bool shift);

// Arrow keys: up and right +1, left and down -1, a tenth with shift. False for other keys.
bool knobKeyStep(std::uint8_t virtualKey, std::uint8_t modifier, float &step);
