// The control classes without a window: image ownership, the knob's derived fields and key
// answers, the meter's redraw-until-settled rule and the display's text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/knob_drag.h"
#include "gui/level_meter.h"
#include "gui/rotary_knob.h"
#include "gui/splash_panel.h"
#include "gui/toggle_button.h"
#include "gui/value_display.h"

namespace {

class CountingListener : public ControlListener {
public:
  void valueChanged(DrawContext *context, Control *control) override {
    ++calls;
    lastValue = control->getValue();
    lastHadContext = context != nullptr;
  }
  int calls = 0;
  float lastValue = -5.0f;
  bool lastHadContext = true;
};

VstKeyCode key(unsigned char virt, unsigned char modifier = 0) {
  VstKeyCode code{};
  code.virt = virt;
  code.modifier = modifier;
  return code;
}

} // namespace

TEST(ControlClasses, ImagesAreHeldAsLongAsTheirControls) {
  auto *face = new Bitmap(40, 40);
  auto *handle = new Bitmap(9, 9);
  auto *knob = new RotaryKnob(Rect(0, 0, 40, 40), nullptr, 0, face, handle, Point());
  auto *toggle = new ToggleButton(Rect(0, 0, 10, 10), nullptr, 1, face);
  EXPECT_EQ(face->referenceCount(), 3);
  EXPECT_EQ(handle->referenceCount(), 2);
  EXPECT_EQ(knob->getInset(), 7); // half of 9 plus 2.5, truncated

  knob->setHandleBitmap(nullptr);
  EXPECT_EQ(handle->referenceCount(), 1);
  EXPECT_EQ(knob->getInset(), 7); // only a new image changes it
  knob->setHandleBitmap(handle);
  knob->setBackground(face); // the same image again must not be freed on the way
  EXPECT_EQ(face->referenceCount(), 3);
  knob->release();
  EXPECT_EQ(face->referenceCount(), 2);
  EXPECT_EQ(handle->referenceCount(), 1);
  toggle->setBackground(nullptr);
  EXPECT_EQ(face->referenceCount(), 1);
  toggle->release();
  face->release();
  handle->release();

  auto *on = new Bitmap(10, 10);
  auto *meter = new LevelMeter(Rect(0, 0, 10, 10), on, nullptr, 10, kMeterVertical);
  EXPECT_EQ(on->referenceCount(), 2);
  meter->release();
  EXPECT_EQ(on->referenceCount(), 1);
  on->release();
}

TEST(ControlClasses, RedrawStateFollowsValueAndRequests) {
  auto *toggle = new ToggleButton(Rect(0, 0, 10, 10), nullptr, 0, nullptr);
  EXPECT_TRUE(toggle->needsRedraw()); // never drawn: previous 1, value 0
  toggle->setNeedsRedraw(false);
  EXPECT_FALSE(toggle->needsRedraw());
  EXPECT_EQ(toggle->getPreviousValue(), 0.0f);
  toggle->setValue(0.4f); // written by the editor: no call, yet it must be drawn
  EXPECT_TRUE(toggle->needsRedraw());
  toggle->setNeedsRedraw(false);
  toggle->setValue(-1.0f);
  toggle->setNeedsRedraw(true);
  EXPECT_EQ(toggle->getPreviousValue(), 0.0f);
  toggle->setNeedsRedraw(false);
  EXPECT_FALSE(toggle->needsRedraw());
  toggle->setMin(-0.5f);
  toggle->setValue(-3.0f);
  toggle->clampValue();
  EXPECT_EQ(toggle->getValue(), -0.5f);
  toggle->release();
}

TEST(ControlClasses, KnobDerivedFieldsFollowOnlyTheAngleSetters) {
  CountingListener listener;
  RotaryKnob knob(Rect(10, 10, 50, 50), &listener, 2, nullptr, nullptr, Point());
  EXPECT_EQ(knob.getInset(), 3);
  knob.setValue(0.5f);
  Point p;
  knob.valueToPoint(p);
  EXPECT_EQ(p, Point(20, 3));
  EXPECT_NEAR(knob.valueFromPoint(Point(20, 0)), 0.5f, 1e-5);

  // New limits alone leave the old mapping in place...
  knob.setMax(3.0f);
  knob.setValue(0.5f);
  knob.valueToPoint(p);
  EXPECT_EQ(p, Point(20, 3));
  // ...until an angle setter recomputes it: now the top is halfway to 3.
  knob.setRangeAngle(knob.getRangeAngle());
  knob.setValue(1.5f);
  knob.valueToPoint(p);
  EXPECT_EQ(p, Point(20, 3));
  EXPECT_NEAR(knob.valueFromPoint(Point(20, 0)), 1.5f, 1e-5);
  EXPECT_TRUE(knob.needsRedraw());
}

TEST(ControlClasses, KnobKeysStepClampAndNotifyWithoutAContext) {
  CountingListener listener;
  RotaryKnob knob(Rect(0, 0, 40, 40), &listener, 0, nullptr, nullptr, Point());
  knob.setValue(0.95f);
  knob.setNeedsRedraw(false);
  VstKeyCode up = key(VKEY_UP);
  EXPECT_EQ(knob.onKeyDown(up), 1);
  EXPECT_EQ(knob.getValue(), 1.0f);
  EXPECT_EQ(listener.calls, 1);
  EXPECT_FALSE(listener.lastHadContext);

  // Already at the top and drawn there: nothing changed, nobody is told.
  knob.setNeedsRedraw(false);
  EXPECT_EQ(knob.onKeyDown(up), 1);
  EXPECT_EQ(listener.calls, 1);

  knob.setWheelStep(0.2f);
  VstKeyCode fineDown = key(VKEY_DOWN, MODIFIER_SHIFT);
  EXPECT_EQ(knob.onKeyDown(fineDown), 1);
  EXPECT_NEAR(knob.getValue(), 0.98f, 1e-6);
  VstKeyCode enter = key(19);
  EXPECT_EQ(knob.onKeyDown(enter), -1);
  EXPECT_EQ(knob.onKeyUp(up), -1);
  EXPECT_NEAR(knob.getValue(), 0.98f, 1e-6);

  knob.setMouseEnabled(false);
  EXPECT_FALSE(knob.onWheel(nullptr, Point(), 1.0f));
  EXPECT_NEAR(knob.getValue(), 0.98f, 1e-6);
}

// A tap on a pad: the button is up again before the press is handled. The press still acts, with
// the modifiers it came with; once the pointer is polled, tracking follows the live button.
TEST(ControlClasses, APressAlreadyOverWhenHandledActsAsAHeldOne) {
  // No button is down here, headless or on a real display.
  CountingListener listener;
  RotaryKnob knob(Rect(0, 0, 40, 40), &listener, 0, nullptr, nullptr, Point());
  knob.setDefaultValue(0.5f);
  knob.setValue(0.2f);
  knob.setNeedsRedraw(false);
  Point where(20, 20);
  {
    DrawContext tap(nullptr, nullptr, nullptr);
    tap.holdPress(kLeftButton | kControl);
    knob.onMouseDown(&tap, where);
  }
  EXPECT_EQ(knob.getValue(), 0.5f);
  EXPECT_EQ(listener.calls, 1);

  ToggleButton toggle(Rect(0, 0, 10, 10), &listener, 1, nullptr);
  {
    DrawContext tap(nullptr, nullptr, nullptr);
    tap.holdPress(kLeftButton);
    toggle.onMouseDown(&tap, where);
    EXPECT_EQ(tap.getMouseButtons(), kLeftButton);
    Point pointer;
    tap.getMouseLocation(pointer);
    EXPECT_EQ(tap.getMouseButtons(), 0);
  }
  EXPECT_EQ(toggle.getValue(), 1.0f);
  EXPECT_EQ(listener.calls, 2);
  DrawContext live(nullptr, nullptr, nullptr); // no press held: the live state, button up
  toggle.onMouseDown(&live, where);
  EXPECT_EQ(toggle.getValue(), 1.0f);
}

TEST(ControlClasses, MeterKeepsAskingForDrawingsUntilTheBarReachedTheValue) {
  auto *on = new Bitmap(10, 100);
  LevelMeter meter(Rect(0, 0, 10, 100), on, nullptr, 100, kMeterVertical);
  on->release();
  DrawContext context(nullptr, nullptr, nullptr);
  meter.setDecayStep(0.25f);
  meter.setValue(0.0f);
  int drawings = 0;
  while (meter.needsRedraw() && drawings < 10) {
    meter.draw(&context);
    ++drawings;
  }
  EXPECT_EQ(drawings, 4); // 1.0 in steps of 0.25
  EXPECT_EQ(meter.getPreviousValue(), 0.0f);
  // Its redraw request leaves the shown level alone.
  meter.setNeedsRedraw(true);
  EXPECT_EQ(meter.getPreviousValue(), 0.0f);
  meter.draw(&context);
  EXPECT_FALSE(meter.needsRedraw());
  meter.setValue(2.0f); // clamped when drawn
  meter.draw(&context);
  EXPECT_EQ(meter.getValue(), 1.0f);
  EXPECT_EQ(meter.getPreviousValue(), 1.0f);

  // Without an on image it draws nothing and so never settles.
  LevelMeter blind(Rect(0, 0, 10, 10), nullptr, nullptr, 10, kMeterVertical);
  blind.setValue(0.5f);
  blind.draw(&context);
  EXPECT_EQ(blind.getPreviousValue(), 1.0f);
}

namespace {
void formatGain(float value, char *text) { std::snprintf(text, 16, "g%.1f", double(value)); }
void formatTagged(float value, char *text, void *data) {
  std::snprintf(text, 32, "%s=%.0f", static_cast<const char *>(data), double(value * 10.0f));
}
} // namespace

TEST(ControlClasses, DisplayTextPrecedenceAndRedrawRequests) {
  ValueDisplay display(Rect(0, 0, 60, 16), nullptr);
  char text[kDisplayTextCapacity];
  display.setValue(0.5f);
  display.formatValue(text);
  EXPECT_EQ(std::string(text), "0.50");
  display.setFormatter(formatGain);
  display.formatValue(text);
  EXPECT_EQ(std::string(text), "g0.5");
  static char name[] = "ratio";
  display.setFormatterWithData(formatTagged, name);
  display.formatValue(text);
  EXPECT_EQ(std::string(text), "ratio=5");
  display.setFormatterWithData(nullptr, nullptr);
  display.formatValue(text);
  EXPECT_EQ(std::string(text), "g0.5");

  display.setNeedsRedraw(false);
  display.setTextColor(Color{255, 255, 255, 9}); // only the ignored byte differs
  EXPECT_FALSE(display.needsRedraw());
  display.setTextColor(Color{70, 70, 70, 0});
  EXPECT_TRUE(display.needsRedraw());
  display.setNeedsRedraw(false);
  display.setAlignment(1);
  display.setFont(3);
  display.setStyle(0);
  display.setFontStyle(0);
  EXPECT_FALSE(display.needsRedraw()); // all unchanged
  display.setAlignment(2);
  EXPECT_TRUE(display.needsRedraw());

  ValueDisplay silent(Rect(0, 0, 60, 16), nullptr, kNoDrawing);
  EXPECT_FALSE(silent.needsRedraw());
}
