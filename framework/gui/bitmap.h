// An image from the plug-in's own resources (or an empty one of a given size), reference counted,
// drawn unscaled from a source offset: opaque, with a transparent colour skipped, or blended.
#pragma once

#include <cstdint>

#include "gui_types.h"

class DrawContext;

class Bitmap {
public:
  explicit Bitmap(std::int32_t resourceId);
  Bitmap(std::int32_t width, std::int32_t height);
  virtual ~Bitmap();

  Bitmap(const Bitmap &) = delete;
  Bitmap &operator=(const Bitmap &) = delete;

  void retain() { ++references; }
  // Deletes the bitmap when the count goes from 1 to 0; does nothing at 0 or below.
  void release();
  std::int32_t referenceCount() const { return references; }

  std::int32_t getWidth() const { return width; }
  std::int32_t getHeight() const { return height; }
  std::int32_t getResourceId() const { return resourceId; }
  void *getHandle() const { return handle; }
  bool isLoaded() const { return handle != nullptr; }

  void setTransparentColor(Color color) { transparentColor = color; }
  Color getTransparentColor() const { return transparentColor; }

  void draw(DrawContext *context, const Rect &rect, const Point &offset = Point());
  void drawTransparent(DrawContext *context, const Rect &rect, const Point &offset = Point());
  void drawBlended(DrawContext *context, const Rect &rect, const Point &offset, std::uint8_t alpha);
  void buildTransparencyMask(DrawContext *context, const Point &offset = Point());
  bool hasMask() const { return mask != nullptr; }

  // How drawTransparent will work: 1 precomputed mask, 2 the system's transparent blit, 3 a mask
  // built on the fly. Reported so that each path can be tested on purpose.
  std::int32_t transparentMethod() const;
  // Tests switch the system's transparent blit off to reach the on-the-fly path.
  static bool allowSystemTransparentBlit;

private:
  std::int32_t resourceId;
  std::int32_t references = 1;
  std::int32_t width = 0;
  std::int32_t height = 0;
  Color transparentColor = colorTransparent;
  void *handle = nullptr;
  void *mask = nullptr;
};
