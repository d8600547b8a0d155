#include "image_strip.h"

#include "strip_rules.h"

ImageStrip::ImageStrip(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                       std::int32_t frameCount, std::int32_t frameHeight, Bitmap *image,
                       const Point &imageOffset)
    : Control(bounds, listener, tag, image), frameCount(frameCount), frameHeight(frameHeight),
      imageOffset(imageOffset) {}

void ImageStrip::draw(DrawContext *context) {
  const std::int32_t index = imageStripIndex(value, frameCount);
  drawBackground(context, bounds, Point(imageOffset.h, imageOffset.v + index * frameHeight));
  setNeedsRedraw(false);
}
