// A handle that slides along a background, drawn through its own offscreen buffer. The first
// form gives the handle's travel as two coordinates, the second as an offset and a length.
// Free click puts the handle's centre under the mouse; without it the handle must be grabbed,
// and the grab point stays under the mouse. Shift zooms the movement.
#pragma once

#include "control.h"
#include "fader_geometry.h"

class OffscreenContext;

class Fader : public Control {
public:
  // minPosition and maxPosition: the handle's leading edge at the two ends of its travel, in
  // the control's own coordinates.
  Fader(const Rect &bounds, ControlListener *listener, std::int32_t tag, std::int32_t minPosition,
        std::int32_t maxPosition, Bitmap *handle, Bitmap *background, const Point &imageOffset,
        std::int32_t style);
  // handleOffset: where the handle starts, in the control's own coordinates; length: the extent
  // the handle moves in, the handle included.
  Fader(const Rect &bounds, ControlListener *listener, std::int32_t tag, const Point &handleOffset,
        std::int32_t length, Bitmap *handle, Bitmap *background, const Point &imageOffset,
        std::int32_t style);
  ~Fader() override;

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  std::int32_t onKeyDown(VstKeyCode &keyCode) override;
  bool onWheel(DrawContext *context, const Point &where, float distance) override;
  bool onAttached(View *parent) override;
  bool onRemoved(View *parent) override;

  virtual void setHandleOffset(const Point &offset);
  virtual void setTransparentHandle(bool state) { transparentHandle = state; }
  virtual void setFreeClick(bool state) { freeClick = state; }
  virtual bool isFreeClick() const { return freeClick; }
  virtual void setHandle(Bitmap *bitmap);
  virtual void setZoomFactor(float factor) { zoomFactor = factor; }
  virtual float getZoomFactor() const { return zoomFactor; }
  virtual Point getHandleOffset() const { return handleOffset; }

  bool hasOffscreen() const { return offscreen != nullptr; }
  std::int32_t getStyle() const { return style; }

private:
  bool horizontal() const { return (style & kFaderHorizontal) != 0; }
  FaderTravel travel() const;
  Rect handleRect() const; // in the control's own coordinates
  void notifyIfChanged(DrawContext *context, float before);

  Point handleOffset;
  Bitmap *handle;
  OffscreenContext *offscreen = nullptr;
  std::int32_t handleWidth = 1;
  std::int32_t handleHeight = 1;
  std::int32_t range;
  std::int32_t style;
  std::int32_t minPosition;
  std::int32_t maxPosition;
  std::int32_t startOffset;
  std::int32_t controlWidth;
  std::int32_t controlHeight;
  Point imageOffset;
  float zoomFactor = 10.0f;
  bool transparentHandle = true;
  bool freeClick = true;
  bool secondForm;
  std::int32_t length = 0;
};

class VerticalFader : public Fader {
public:
  VerticalFader(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                std::int32_t minPosition, std::int32_t maxPosition, Bitmap *handle,
                Bitmap *background, const Point &imageOffset, std::int32_t style = 0)
      : Fader(bounds, listener, tag, minPosition, maxPosition, handle, background, imageOffset,
              style | kFaderVertical) {}
  VerticalFader(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                const Point &handleOffset, std::int32_t length, Bitmap *handle, Bitmap *background,
                const Point &imageOffset, std::int32_t style = 0)
      : Fader(bounds, listener, tag, handleOffset, length, handle, background, imageOffset,
              style | kFaderVertical) {}
};

class HorizontalFader : public Fader {
public:
  HorizontalFader(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                  std::int32_t minPosition, std::int32_t maxPosition, Bitmap *handle,
                  Bitmap *background, const Point &imageOffset, std::int32_t style = 0)
      : Fader(bounds, listener, tag, minPosition, maxPosition, handle, background, imageOffset,
              style | kFaderHorizontal) {}
  HorizontalFader(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                  const Point &handleOffset, std::int32_t length, Bitmap *handle,
                  Bitmap *background, const Point &imageOffset, std::int32_t style = 0)
      : Fader(bounds, listener, tag, handleOffset, length, handle, background, imageOffset,
              style | kFaderHorizontal) {}
};
