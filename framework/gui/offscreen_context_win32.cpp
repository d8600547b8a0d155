#include <windows.h>

#include "bitmap.h"
#include "frame.h"
#include "offscreen_context.h"

OffscreenContext::OffscreenContext(Frame *frame, std::int32_t width, std::int32_t height,
                                   Color backgroundColor)
    : DrawContext(frame, nullptr, nullptr), height(height), width(width), ownsBitmap(true),
      backgroundColor(backgroundColor) {
  clipRect = Rect(0, 0, width, height);
  HWND frameWindow = frame ? static_cast<HWND>(frame->getWindow()) : nullptr;
  HDC windowContext = GetDC(frameWindow);
  HDC memory = CreateCompatibleDC(windowContext);
  bitmapHandle = CreateCompatibleBitmap(windowContext, width, height);
  previousBitmap = SelectObject(memory, bitmapHandle);
  ReleaseDC(frameWindow, windowContext);
  adoptDeviceContext(memory);
  setFillColor(backgroundColor);
  setFrameColor(backgroundColor);
  fillRect(Rect(0, 0, width, height));
  drawRect(Rect(0, 0, width, height));
}

OffscreenContext::OffscreenContext(DrawContext *source, Bitmap *bitmap, bool drawInBitmap)
    : DrawContext(source ? source->getFrame() : nullptr, nullptr, nullptr), sourceBitmap(bitmap) {
  if (bitmap) {
    width = bitmap->getWidth();
    height = bitmap->getHeight();
  }
  clipRect = Rect(0, 0, width, height);
  HDC sourceContext = source ? static_cast<HDC>(source->getDeviceContext()) : nullptr;
  HDC memory = CreateCompatibleDC(sourceContext);
  if (drawInBitmap && bitmap && bitmap->getHandle()) {
    bitmapHandle = bitmap->getHandle();
    previousBitmap = SelectObject(memory, bitmapHandle);
    adoptDeviceContext(memory);
    return;
  }
  HDC compatible = sourceContext ? sourceContext : GetDC(nullptr);
  bitmapHandle = CreateCompatibleBitmap(compatible, width, height);
  if (!sourceContext)
    ReleaseDC(nullptr, compatible);
  ownsBitmap = true;
  previousBitmap = SelectObject(memory, bitmapHandle);
  adoptDeviceContext(memory);
  if (bitmap) {
    bitmap->draw(this, Rect(0, 0, width, height), Point(0, 0));
  } else {
    setFillColor(colorBlack);
    fillRect(Rect(0, 0, width, height));
  }
}

OffscreenContext::~OffscreenContext() {
  HDC memory = static_cast<HDC>(deviceContext);
  restoreNativeObjects();
  if (memory) {
    SelectObject(memory, previousBitmap);
    DeleteDC(memory);
  }
  deviceContext = nullptr;
  if (ownsBitmap && bitmapHandle)
    DeleteObject(bitmapHandle);
}

void OffscreenContext::copyTo(DrawContext *destination, const Rect &destRect,
                              const Point &sourceOffset) {
  if (!destination)
    return;
  BitBlt(static_cast<HDC>(destination->getDeviceContext()), destRect.left + destination->offset.h,
         destRect.top + destination->offset.v, destRect.width(), destRect.height(),
         static_cast<HDC>(deviceContext), sourceOffset.h, sourceOffset.v, SRCCOPY);
}

void OffscreenContext::copyFrom(DrawContext *source, const Rect &sourceRect,
                                const Point &destPoint) {
  if (!source)
    return;
  BitBlt(static_cast<HDC>(deviceContext), destPoint.h, destPoint.v, sourceRect.width(),
         sourceRect.height(), static_cast<HDC>(source->getDeviceContext()),
         sourceRect.left + source->offset.h, sourceRect.top + source->offset.v, SRCCOPY);
}
