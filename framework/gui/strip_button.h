// Buttons drawn from a two-image strip (0 above, on below). The strip button toggles when
// released inside; the momentary button is on only while held inside and then returns to 0.
#pragma once

#include "control.h"

class StripButton : public Control {
public:
  StripButton(const Rect &bounds, ControlListener *listener, std::int32_t tag,
              std::int32_t frameHeight, Bitmap *image, const Point &imageOffset);

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;

protected:
  std::int32_t frameHeight;
  Point imageOffset;
  float lastValue = 0.0f; // the value last drawn
};

class MomentaryButton : public StripButton {
public:
  MomentaryButton(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                  std::int32_t frameHeight, Bitmap *image, const Point &imageOffset)
      : StripButton(bounds, listener, tag, frameHeight, image, imageOffset) {}

  void onMouseDown(DrawContext *context, Point &where) override;
};
