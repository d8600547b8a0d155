#include "film_strip_knob.h"

#include "strip_rules.h"

FilmStripKnob::FilmStripKnob(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                             std::int32_t frameCount, std::int32_t frameHeight, Bitmap *image,
                             const Point &imageOffset)
    : RotaryKnob(bounds, listener, tag, image, nullptr, imageOffset), frameCount(frameCount),
      frameHeight(frameHeight) {
  inset = 0;
}

void FilmStripKnob::draw(DrawContext *context) {
  const std::int32_t y = filmStripOffset(value, frameCount, frameHeight, inverted);
  drawBackground(context, bounds, Point(handleOffset.h, handleOffset.v + y));
  setNeedsRedraw(false);
}
