// Shows one image of a strip for its value; takes no input.
#pragma once

#include "control.h"

class ImageStrip : public Control {
public:
  ImageStrip(const Rect &bounds, ControlListener *listener, std::int32_t tag,
             std::int32_t frameCount, std::int32_t frameHeight, Bitmap *image,
             const Point &imageOffset);

  void draw(DrawContext *context) override;

private:
  std::int32_t frameCount;
  std::int32_t frameHeight;
  Point imageOffset;
};
