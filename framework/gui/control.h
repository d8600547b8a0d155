// A view that holds one normalised value and tells its listener when the user changed it.
#pragma once

#include <cstdint>

#include "view.h"

class Bitmap;
class Control;

class ControlListener {
public:
  virtual ~ControlListener() = default;
  // `context` is the drawing context of the event (null for key events).
  virtual void valueChanged(DrawContext *context, Control *control) = 0;
};

class Control : public View {
public:
  Control(const Rect &bounds, ControlListener *listener, std::int32_t tag, Bitmap *background);
  ~Control() override;

  void draw(DrawContext *context) override = 0;
  bool needsRedraw() override;
  void setNeedsRedraw(bool state) override;

  virtual void runIdle();
  virtual void setValue(float newValue) { value = newValue; }
  virtual float getValue() const { return value; }
  virtual void setMin(float newMinimum) { minimum = newMinimum; }
  virtual float getMin() const { return minimum; }
  virtual void setMax(float newMaximum) { maximum = newMaximum; }
  virtual float getMax() const { return maximum; }
  virtual void setPreviousValue(float newValue) { previousValue = newValue; }
  virtual float getPreviousValue() const { return previousValue; }
  virtual void setDefaultValue(float newValue) { defaultValue = newValue; }
  virtual float getDefaultValue() const { return defaultValue; }
  virtual void setTag(std::int32_t newTag) { tag = newTag; }
  virtual void setBackground(Bitmap *bitmap);
  virtual Bitmap *getBackground() const { return background; }
  virtual void setBackgroundOffset(const Point &offset) { backgroundOffset = offset; }
  virtual void alignBackgroundOffset();
  virtual void setWheelStep(float step) { wheelStep = step; }
  virtual float getWheelStep() const { return wheelStep; }
  virtual void clampValue();

  bool isDoubleClick();
  std::int32_t getTag() const { return tag; }
  ControlListener *getListener() const { return listener; }

protected:
  // Draws the background image (transparently when the view is) into `rect` from `offset`.
  void drawBackground(DrawContext *context, const Rect &rect, const Point &offset);
  // Any image, the same way; nothing for a null image.
  void drawImage(Bitmap *image, DrawContext *context, const Rect &rect, const Point &offset);
  // Mouse buttons and modifiers now, also for events that come without a context.
  std::int32_t currentButtons(DrawContext *context);

  ControlListener *listener;
  std::int32_t tag;
  float previousValue = 1.0f;
  float defaultValue = 0.5f;
  float value = 0.0f;
  float minimum = 0.0f;
  float maximum = 1.0f;
  float wheelStep = 0.1f;
  std::int32_t lastClickTime = -1;
  std::int32_t doubleClickInterval;
  Bitmap *background;
  Point backgroundOffset;
};
