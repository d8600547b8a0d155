// A drawing context over a memory bitmap: containers and faders compose an update in it and copy
// the result to the window in one block transfer, without flicker.
#pragma once

#include "draw_context.h"

class Bitmap;

class OffscreenContext : public DrawContext {
public:
  // A cleared bitmap of the given size, compatible with the frame's window.
  OffscreenContext(Frame *frame, std::int32_t width, std::int32_t height,
                   Color backgroundColor = colorBlack);
  // From another context: draws into `bitmap` itself when `drawInBitmap`, else into a copy of
  // it (or a black 20 x 20 image without one).
  OffscreenContext(DrawContext *source, Bitmap *bitmap, bool drawInBitmap = false);
  ~OffscreenContext() override;

  void copyTo(DrawContext *destination, const Rect &destRect, const Point &sourceOffset);
  void copyFrom(DrawContext *source, const Rect &sourceRect, const Point &destPoint);

  std::int32_t getWidth() const { return width; }
  std::int32_t getHeight() const { return height; }
  Color getBackgroundColor() const { return backgroundColor; }

private:
  Bitmap *sourceBitmap = nullptr;
  std::int32_t height = 20;
  std::int32_t width = 20;
  bool ownsBitmap = false;
  Color backgroundColor = colorBlack;
  void *bitmapHandle = nullptr;
  void *previousBitmap = nullptr;
};
