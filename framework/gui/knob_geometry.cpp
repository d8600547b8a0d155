#include "knob_geometry.h"

#include <cmath>

namespace {

float wrapOnce(float angle) {
  if (angle < 0.0f)
    return angle + kKnobTwoPi;
  if (angle > kKnobTwoPi)
    return angle - kKnobTwoPi;
  return angle;
}

} // namespace

KnobAngles deriveKnobAngles(float startAngle, float rangeAngle, float minimum, float maximum) {
  KnobAngles angles{};
  angles.startAngle = startAngle;
  angles.rangeAngle = rangeAngle;
  angles.slope = (maximum - minimum) / rangeAngle;
  angles.intercept = minimum - angles.slope * startAngle;
  angles.halfGap = (kKnobTwoPi - std::fabs(rangeAngle)) / 2.0f;
  return angles;
}

Point knobValueToPoint(const KnobAngles &angles, float value, float radius, std::int32_t inset) {
  const float alpha = (value - angles.intercept) / angles.slope;
  const float reach = radius - static_cast<float>(inset);
  return Point(static_cast<std::int32_t>(radius + std::cos(alpha) * reach + 0.5f),
               static_cast<std::int32_t>(radius - std::sin(alpha) * reach + 0.5f));
}

float knobValueFromPoint(const KnobAngles &angles, float minimum, float maximum, float radius,
                         const Point &point) {
  float beta =
      std::atan2(radius - static_cast<float>(point.v), static_cast<float>(point.h) - radius);
  if (beta < 0.0f)
    beta += kKnobTwoPi;
  const float fromStart = beta - angles.startAngle;
  const float range = angles.rangeAngle;
  const float halfGap = angles.halfGap;

  if (range >= 0.0f) {
    const float wrapped = wrapOnce(fromStart);
    if (wrapped > range + halfGap)
      return minimum;
    if (wrapped > range)
      return maximum;
    float x = fromStart;
    if (fromStart > range + halfGap)
      x = fromStart - kKnobTwoPi;
    else if (fromStart < -halfGap)
      x = fromStart + kKnobTwoPi;
    return x * angles.slope + minimum;
  }

  // Clockwise: measured back from the maximum's angle.
  const float fromEnd = fromStart - range;
  const float wrapped = wrapOnce(fromEnd);
  if (wrapped > halfGap - range)
    return maximum;
  if (wrapped > -range)
    return minimum;
  float x = fromEnd;
  if (fromEnd > halfGap - range)
    x = fromEnd - kKnobTwoPi;
  else if (fromEnd < -halfGap)
    x = fromEnd + kKnobTwoPi;
  return x * angles.slope + maximum;
}
