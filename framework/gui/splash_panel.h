// A small clickable area that shows a large image as the frame's modal view until the next click.
#pragma once

#include "control.h"

class SplashPanel : public Control {
public:
  SplashPanel(const Rect &bounds, ControlListener *listener, std::int32_t tag, Bitmap *image,
              const Rect &displayRect, const Point &imageOffset);

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  bool hitTest(const Point &where, std::int32_t buttons) override;

  virtual void close();

  bool isOpenOverDisplay() const { return enlarged; }

private:
  void restoreBounds();

  Rect displayRect;
  Rect savedBounds;
  Point imageOffset;
  bool enlarged = false; // the bounds are displayRect, savedBounds holds the own ones
};
