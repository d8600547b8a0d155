// A level shown as a bar of an "on" and an "off" image, quantised to equal steps; it rises at once
// and falls back by a fixed step per drawing.
#pragma once

#include "control.h"

enum LevelMeterStyle : std::int32_t { kMeterVertical = 0, kMeterHorizontal = 1 };

class LevelMeter : public Control {
public:
  LevelMeter(const Rect &bounds, Bitmap *onImage, Bitmap *offImage, std::int32_t ledCount,
             std::int32_t style);
  ~LevelMeter() override;

  void draw(DrawContext *context) override;
  // Keeps the shown level in previousValue, so the idle redraws until the bar reached the value.
  void setNeedsRedraw(bool state) override;

  virtual void setDecayStep(float step) { decayStep = step; }
  float getDecayStep() const { return decayStep; }

private:
  Bitmap *onImage;
  Bitmap *offImage;
  std::int32_t ledCount;
  std::int32_t style;
  float decayStep = 0.1f;
  Rect onRect;
  Rect offRect;
};
