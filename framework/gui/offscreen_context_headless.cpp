#include "bitmap.h"
#include "offscreen_context.h"

OffscreenContext::OffscreenContext(Frame *frame, std::int32_t width, std::int32_t height,
                                   Color backgroundColor)
    : DrawContext(frame, nullptr, nullptr), height(height), width(width), ownsBitmap(true),
      backgroundColor(backgroundColor) {
  clipRect = Rect(0, 0, width, height);
  setFillColor(backgroundColor);
  setFrameColor(backgroundColor);
}

OffscreenContext::OffscreenContext(DrawContext *source, Bitmap *bitmap, bool drawInBitmap)
    : DrawContext(source ? source->getFrame() : nullptr, nullptr, nullptr), sourceBitmap(bitmap) {
  if (bitmap) {
    width = bitmap->getWidth();
    height = bitmap->getHeight();
  }
  clipRect = Rect(0, 0, width, height);
  ownsBitmap = !(drawInBitmap && bitmap);
}

OffscreenContext::~OffscreenContext() = default;

void OffscreenContext::copyTo(DrawContext *, const Rect &, const Point &) {}
void OffscreenContext::copyFrom(DrawContext *, const Rect &, const Point &) {}
