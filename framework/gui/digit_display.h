// A whole number shown as digit images from a strip of ten (0 to 9), each digit at its own
// place.
#pragma once

#include "control.h"
#include "digit_rules.h"

class DigitDisplay : public Control {
public:
  // Positions are in the same coordinates as the bounds; only the first kMaxDigits are taken.
  DigitDisplay(const Rect &bounds, ControlListener *listener, std::int32_t tag, float initialValue,
               std::int32_t digitCount, const std::int32_t *xPositions,
               const std::int32_t *yPositions, std::int32_t digitWidth, std::int32_t digitHeight,
               Bitmap *image);

  void draw(DrawContext *context) override;

  virtual float getNormalizedValue() const;

private:
  std::int32_t digitCount;
  std::int32_t x[kMaxDigits] = {};
  std::int32_t y[kMaxDigits] = {};
  std::int32_t digitWidth;
  std::int32_t digitHeight;
};
