// A knob drawn as a face image with a handle image (or a line) at an angle that follows the
// value; dragged linearly or around its centre, and moved by wheel and arrow keys.
#pragma once

#include "control.h"

class RotaryKnob : public Control {
public:
  RotaryKnob(const Rect &bounds, ControlListener *listener, std::int32_t tag, Bitmap *background,
             Bitmap *handle, const Point &handleOffset);
  ~RotaryKnob() override;

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  std::int32_t onKeyDown(VstKeyCode &keyCode) override;
  bool onWheel(DrawContext *context, const Point &where, float distance) override;

  virtual void drawHandle(DrawContext *context);
  virtual void setStartAngle(float angle);
  virtual float getStartAngle() const { return startAngle; }
  virtual void setRangeAngle(float angle);
  virtual float getRangeAngle() const { return rangeAngle; }
  virtual void valueToPoint(Point &point) const;
  virtual float valueFromPoint(const Point &point) const;
  virtual void setInset(std::int32_t newInset) { inset = newInset; }
  virtual void setShadowColor(Color color);
  virtual void setLineColor(Color color);
  virtual void setHandleBitmap(Bitmap *bitmap);
  virtual void setFineFactor(float factor) { fineFactor = factor; }
  virtual float getFineFactor() const { return fineFactor; }

  std::int32_t getInset() const { return inset; }
  Bitmap *getHandleBitmap() const { return handle; }

protected:
  void recomputeDerived();
  // Tells the listener when the value moved since the last drawing.
  void notifyIfChanged(DrawContext *context);

  Point handleOffset;
  Color lineColor = colorWhite;
  Color shadowColor = colorGrey;
  Bitmap *handle = nullptr;
  std::int32_t inset = 3;
  float startAngle = 3.9269908f;
  float rangeAngle = -4.712389f;
  float halfGap = 0.0f;
  float slope = 0.0f;
  float intercept = 0.0f;
  float radius = 0.0f;
  float fineFactor = 1.5f;
};
