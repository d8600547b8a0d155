// Selectors: a strip image per position, chosen by clicking or dragging across equal zones,
// down the image (vertical) or across its width (horizontal).
#pragma once

#include "control.h"

class StripSelector : public Control {
public:
  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;

  std::int32_t getPositions() const { return positions; }
  std::int32_t getImageCount() const { return imageCount; }

protected:
  StripSelector(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                std::int32_t imageCount, std::int32_t frameHeight, std::int32_t positions,
                Bitmap *image, const Point &imageOffset, bool horizontal);

private:
  std::int32_t imageCount;
  std::int32_t frameHeight;
  std::int32_t positions;
  Point imageOffset;
  bool horizontal;
};

class VerticalSelector : public StripSelector {
public:
  VerticalSelector(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                   std::int32_t imageCount, std::int32_t frameHeight, std::int32_t positions,
                   Bitmap *image, const Point &imageOffset)
      : StripSelector(bounds, listener, tag, imageCount, frameHeight, positions, image, imageOffset,
                      false) {}
};

class HorizontalSelector : public StripSelector {
public:
  HorizontalSelector(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                     std::int32_t imageCount, std::int32_t frameHeight, std::int32_t positions,
                     Bitmap *image, const Point &imageOffset)
      : StripSelector(bounds, listener, tag, imageCount, frameHeight, positions, image, imageOffset,
                      true) {}
};
