// Where a knob's handle sits for a value, and which value a point around the knob stands for.
#pragma once

#include <cstdint>

#include "gui_types.h"

// 2π as the knob's float arithmetic uses it.
constexpr float kKnobTwoPi = 6.2831855f;
// Value 0 at lower left (225°), sweeping 270° clockwise to lower right.
constexpr float kKnobDefaultStartAngle = 3.9269908f;
constexpr float kKnobDefaultRangeAngle = -4.712389f;

struct KnobAngles {
  float startAngle; // angle of the minimum, radians counter-clockwise from the positive x axis
  float rangeAngle; // signed sweep from minimum to maximum (negative: clockwise)
  float halfGap;    // half of the dead arc outside the range
  float slope;      // value per radian
  float intercept;  // value at angle 0
};

// Derived from the limits as they are now; later limit changes do not follow.
KnobAngles deriveKnobAngles(float startAngle, float rangeAngle, float minimum, float maximum);

// Handle position relative to the knob's top-left corner.
Point knobValueToPoint(const KnobAngles &angles, float value, float radius, std::int32_t inset);

// The value for a point relative to the knob's top-left corner; points in the dead arc give the
// end of the range nearer to them. Not clamped.
float knobValueFromPoint(const KnobAngles &angles, float minimum, float maximum, float radius,
                         const Point &point);
