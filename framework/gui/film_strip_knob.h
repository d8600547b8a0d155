// A knob drawn as one image of a film strip chosen by its value; it drags like a rotary knob.
#pragma once

#include "rotary_knob.h"

class FilmStripKnob : public RotaryKnob {
public:
  FilmStripKnob(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                std::int32_t frameCount, std::int32_t frameHeight, Bitmap *image,
                const Point &imageOffset);

  void draw(DrawContext *context) override;

  void setInverted(bool state) { inverted = state; }
  bool isInverted() const { return inverted; }

private:
  std::int32_t frameCount;
  std::int32_t frameHeight;
  bool inverted = false;
};
