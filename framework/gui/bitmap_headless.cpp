// Images without a window system: sizes come from the ids the tests defined; nothing is drawn.
#include <map>

#include "bitmap.h"
#include "headless_input.h"

namespace {

std::map<std::int32_t, Point> &definedImages() {
  static std::map<std::int32_t, Point> images;
  return images;
}

} // namespace

void headless::defineImage(std::int32_t resourceId, std::int32_t width, std::int32_t height) {
  definedImages()[resourceId & 0xffff] = Point(width, height);
}

Bitmap::Bitmap(std::int32_t resourceId) : resourceId(resourceId) {
  auto found = definedImages().find(resourceId & 0xffff);
  if (found == definedImages().end())
    return;
  width = found->second.h;
  height = found->second.v;
  handle = new char;
}

Bitmap::Bitmap(std::int32_t width, std::int32_t height)
    : resourceId(0), width(width), height(height), handle(new char) {}

Bitmap::~Bitmap() {
  delete static_cast<char *>(handle);
  delete static_cast<char *>(mask);
}

void Bitmap::draw(DrawContext *, const Rect &, const Point &) {}
void Bitmap::drawTransparent(DrawContext *, const Rect &, const Point &) {}
void Bitmap::drawBlended(DrawContext *, const Rect &, const Point &, std::uint8_t) {}

void Bitmap::buildTransparencyMask(DrawContext *, const Point &) {
  delete static_cast<char *>(mask);
  mask = new char;
}

std::int32_t Bitmap::transparentMethod() const { return mask ? 1 : 3; }
