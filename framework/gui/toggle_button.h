// A two-state button drawn from a strip of two images: the upper for 0, the lower otherwise.
#pragma once

#include "control.h"

class ToggleButton : public Control {
public:
  ToggleButton(const Rect &bounds, ControlListener *listener, std::int32_t tag, Bitmap *bitmap);

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
};
