#include <windows.h>

#include "bitmap.h"
#include "draw_context.h"
#include "effect/plugin_entry.h"
#include "imaging_entry_points.h"

namespace {

HDC dcOf(DrawContext *context) { return static_cast<HDC>(context->getDeviceContext()); }

// A memory context with the image selected, undone on scope exit.
class ImageContext {
public:
  ImageContext(HDC compatible, HBITMAP image) : dc(CreateCompatibleDC(compatible)) {
    previous = SelectObject(dc, image);
  }
  ~ImageContext() {
    SelectObject(dc, previous);
    DeleteDC(dc);
  }
  ImageContext(const ImageContext &) = delete;
  ImageContext &operator=(const ImageContext &) = delete;
  HDC dc;

private:
  HGDIOBJ previous;
};

} // namespace

Bitmap::Bitmap(std::int32_t resourceId) : resourceId(resourceId) {
  handle = LoadBitmapA(static_cast<HINSTANCE>(moduleHandle),
                       MAKEINTRESOURCEA(static_cast<WORD>(resourceId & 0xffff)));
  if (!handle)
    return;
  BITMAP description;
  if (GetObjectA(handle, sizeof description, &description)) {
    width = description.bmWidth;
    height = description.bmHeight;
  }
}

Bitmap::Bitmap(std::int32_t width, std::int32_t height)
    : resourceId(0), width(width), height(height) {
  HDC screen = GetDC(nullptr);
  handle = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
}

Bitmap::~Bitmap() {
  if (handle)
    DeleteObject(handle);
  if (mask)
    DeleteObject(mask);
}

void Bitmap::draw(DrawContext *context, const Rect &rect, const Point &offset) {
  if (!handle || !context)
    return;
  HDC destination = dcOf(context);
  ImageContext image(destination, static_cast<HBITMAP>(handle));
  BitBlt(destination, rect.left + context->offset.h, rect.top + context->offset.v, rect.width(),
         rect.height(), image.dc, offset.h, offset.v, SRCCOPY);
}

std::int32_t Bitmap::transparentMethod() const {
  if (mask)
    return 1;
  return transparentBltEntry && allowSystemTransparentBlit ? 2 : 3;
}

void Bitmap::drawTransparent(DrawContext *context, const Rect &rect, const Point &offset) {
  if (!handle || !context)
    return;
  HDC destination = dcOf(context);
  ImageContext image(destination, static_cast<HBITMAP>(handle));
  const int x = rect.left + context->offset.h, y = rect.top + context->offset.v;
  const int w = rect.width(), h = rect.height();
  switch (transparentMethod()) {
  case 1: {
    // Composed off screen, so the destination is written once, without flicker.
    HBITMAP scratch = CreateCompatibleBitmap(destination, w, h);
    {
      ImageContext scratchContext(destination, scratch);
      ImageContext maskContext(destination, static_cast<HBITMAP>(mask));
      BitBlt(scratchContext.dc, 0, 0, w, h, destination, x, y, SRCCOPY);
      BitBlt(scratchContext.dc, 0, 0, w, h, image.dc, offset.h, offset.v, SRCINVERT);
      BitBlt(scratchContext.dc, 0, 0, w, h, maskContext.dc, offset.h, offset.v, SRCAND);
      BitBlt(scratchContext.dc, 0, 0, w, h, image.dc, offset.h, offset.v, SRCINVERT);
      BitBlt(destination, x, y, w, h, scratchContext.dc, 0, 0, SRCCOPY);
    }
    DeleteObject(scratch);
    break;
  }
  case 2:
    transparentBltEntry(destination, x, y, w, h, image.dc, offset.h, offset.v, w, h,
                        transparentColor.native());
    break;
  default: {
    const COLORREF oldBackground = SetBkColor(destination, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(destination, RGB(0, 0, 0));
    HBITMAP monochrome = CreateBitmap(w, h, 1, 1, nullptr);
    {
      ImageContext maskContext(destination, monochrome);
      SetBkColor(image.dc, transparentColor.native());
      BitBlt(maskContext.dc, 0, 0, w, h, image.dc, offset.h, offset.v, SRCCOPY);
      BitBlt(destination, x, y, w, h, image.dc, offset.h, offset.v, SRCINVERT);
      BitBlt(destination, x, y, w, h, maskContext.dc, 0, 0, SRCAND);
      BitBlt(destination, x, y, w, h, image.dc, offset.h, offset.v, SRCINVERT);
    }
    DeleteObject(monochrome);
    SetBkColor(destination, oldBackground);
    SetTextColor(destination, oldText);
    break;
  }
  }
}

void Bitmap::drawBlended(DrawContext *context, const Rect &rect, const Point &offset,
                         std::uint8_t alpha) {
  if (!handle || !context || !alphaBlendEntry)
    return;
  HDC destination = dcOf(context);
  ImageContext image(destination, static_cast<HBITMAP>(handle));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
  alphaBlendEntry(destination, rect.left + context->offset.h, rect.top + context->offset.v,
                  rect.width(), rect.height(), image.dc, offset.h, offset.v, rect.width(),
                  rect.height(), blend);
}

void Bitmap::buildTransparencyMask(DrawContext *context, const Point &offset) {
  if (mask)
    DeleteObject(mask);
  mask = nullptr;
  if (!context)
    return;
  HDC source = dcOf(context);
  HBITMAP monochrome = CreateBitmap(width, height, 1, 1, nullptr);
  {
    ImageContext maskContext(source, monochrome);
    const COLORREF oldBackground = SetBkColor(source, transparentColor.native());
    BitBlt(maskContext.dc, 0, 0, width, height, source, offset.h, offset.v, SRCCOPY);
    SetBkColor(source, oldBackground);
  }
  mask = monochrome;
}
