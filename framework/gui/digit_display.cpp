#include "digit_display.h"

#include <algorithm>

#include "control_rules.h"

DigitDisplay::DigitDisplay(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                           float initialValue, std::int32_t digitCount,
                           const std::int32_t *xPositions, const std::int32_t *yPositions,
                           std::int32_t digitWidth, std::int32_t digitHeight, Bitmap *image)
    : Control(bounds, listener, tag, image), digitCount(std::clamp(digitCount, 1, kMaxDigits)),
      digitWidth(digitWidth), digitHeight(digitHeight) {
  value = initialValue;
  minimum = 0.0f;
  maximum = static_cast<float>(largestForDigits(this->digitCount));
  std::copy(xPositions, xPositions + this->digitCount, x);
  std::copy(yPositions, yPositions + this->digitCount, y);
}

void DigitDisplay::draw(DrawContext *context) {
  std::int32_t digits[kMaxDigits];
  splitDigits(value, digitCount, digits);
  for (std::int32_t i = 0; i < digitCount; ++i)
    drawBackground(context, Rect(x[i], y[i], x[i] + digitWidth, y[i] + digitHeight),
                   Point(0, digits[i] * digitHeight));
  setNeedsRedraw(false);
}

float DigitDisplay::getNormalizedValue() const { return clampToRange(value / maximum, 0.0f, 1.0f); }
