// Plays a strip of images: the value is a pixel offset into the strip, stepped by the caller
// with nextFrame/previousFrame; a click starts or stops it.
#pragma once

#include "control.h"

class AnimationStrip : public Control {
public:
  AnimationStrip(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                 std::int32_t frameCount, std::int32_t frameHeight, Bitmap *image,
                 const Point &imageOffset);

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;

  virtual void start() { running = true; }
  virtual void stop() { running = false; }
  virtual void nextFrame();
  virtual void previousFrame();

  bool isRunning() const { return running; }

private:
  std::int32_t frameCount;
  std::int32_t frameHeight;
  std::int32_t totalHeight;
  Point imageOffset;
  bool running = false;
};
