// The controls' window-free rules: redraw state, limits, double clicks, toggling, default text and
// the level meter's fall-back and quantisation.
#include <gtest/gtest.h>

#include <string>

#include "gui/control_rules.h"
#include "gui/meter_law.h"

TEST(ControlRules, ARedrawRequestAlwaysMakesThePreviousValueDiffer) {
  EXPECT_EQ(previousValueForcingRedraw(0.3f), -1.0f);
  EXPECT_EQ(previousValueForcingRedraw(0.0f), -1.0f);
  EXPECT_EQ(previousValueForcingRedraw(-1.0f), 0.0f);
  for (float v : {-1.0f, 0.0f, 0.5f, 1.0f})
    EXPECT_TRUE(controlNeedsRedraw(v, previousValueForcingRedraw(v), false)) << v;
  EXPECT_FALSE(controlNeedsRedraw(0.5f, 0.5f, false));
  EXPECT_TRUE(controlNeedsRedraw(0.5f, 0.5f, true));
  EXPECT_TRUE(controlNeedsRedraw(0.5f, 0.25f, false));
}

TEST(ControlRules, ClampingAndToggling) {
  EXPECT_EQ(clampToRange(1.5f, 0.0f, 1.0f), 1.0f);
  EXPECT_EQ(clampToRange(-0.5f, 0.0f, 1.0f), 0.0f);
  EXPECT_EQ(clampToRange(0.25f, 0.0f, 1.0f), 0.25f);
  EXPECT_EQ(clampToRange(3.0f, -2.0f, 2.0f), 2.0f);
  EXPECT_EQ(toggledValue(0.0f), 1.0f);
  EXPECT_EQ(toggledValue(0.7f), 1.0f); // integer part 0
  EXPECT_EQ(toggledValue(1.0f), 0.0f);
  EXPECT_EQ(toggledValue(1.5f), 0.0f);
}

TEST(ControlRules, DoubleClicks) {
  EXPECT_EQ(doubleClickIntervalFrom(100), 250);
  EXPECT_EQ(doubleClickIntervalFrom(500), 500);

  // The very first click only remembers its time.
  DoubleClickDecision d = decideDoubleClick(-1, 1000, 400);
  EXPECT_FALSE(d.isDoubleClick);
  EXPECT_EQ(d.lastClickTime, 1000);
  d = decideDoubleClick(d.lastClickTime, 1399, 400);
  EXPECT_TRUE(d.isDoubleClick);
  EXPECT_EQ(d.lastClickTime, 0); // a third click starts afresh
  d = decideDoubleClick(d.lastClickTime, 1500, 400);
  EXPECT_FALSE(d.isDoubleClick);
  EXPECT_EQ(d.lastClickTime, 1500);
  d = decideDoubleClick(1500, 1900, 400); // exactly the interval later is too late
  EXPECT_FALSE(d.isDoubleClick);
  EXPECT_EQ(d.lastClickTime, 1900);
}

TEST(ControlRules, DefaultTextHasTwoDecimals) {
  char text[256] = "junk";
  formatDefaultValueText(0.5f, text);
  EXPECT_EQ(std::string(text), "0.50");
  formatDefaultValueText(1.0f, text);
  EXPECT_EQ(std::string(text), "1.00");
  formatDefaultValueText(0.126f, text);
  EXPECT_EQ(std::string(text), "0.13");
  formatDefaultValueText(-12.345f, text);
  EXPECT_EQ(std::string(text), "-12.35");
}

TEST(MeterLaw, FallsByStepsAndRisesAtOnce) {
  int drawings = 0;
  for (float shown = 1.0f; shown > 0.0f; ++drawings)
    shown = decayedMeterLevel(shown, 0.0f, 0.08f);
  EXPECT_EQ(drawings, 13);
  EXPECT_EQ(decayedMeterLevel(0.0f, 1.0f, 0.08f), 1.0f);
  EXPECT_NEAR(decayedMeterLevel(0.9f, 0.5f, 0.1f), 0.8f, 1e-6);
  EXPECT_EQ(decayedMeterLevel(0.55f, 0.5f, 0.1f), 0.5f); // never below the value
}

TEST(MeterLaw, QuantisesIntoWholeSteps) {
  EXPECT_EQ(meterOnWidth(300, 0.5f, 120), 60);
  EXPECT_EQ(meterOnWidth(300, 1.0f, 120), 120);
  EXPECT_EQ(meterOnWidth(300, 0.0f, 120), 0);
  EXPECT_EQ(meterOnWidth(10, 0.34f, 100), 30); // 3.4 steps round to 3
  EXPECT_EQ(meterOnWidth(10, 0.35f, 100), 40); // 3.5 steps round up
  // One step: a lamp, fully on from half the range.
  EXPECT_EQ(meterOnWidth(1, 0.49f, 16), 0);
  EXPECT_EQ(meterOnWidth(1, 0.5f, 16), 16);
  // Vertical: the off part above the bar.
  EXPECT_EQ(meterOffHeight(20, 1.0f, 0.25f, 80), 60);
  EXPECT_EQ(meterOffHeight(20, 1.0f, 1.0f, 80), 0);
  EXPECT_EQ(meterOffHeight(1, 1.0f, 0.6f, 16), 0);
  EXPECT_EQ(meterOffHeight(1, 1.0f, 0.4f, 16), 16);
  // Never outside the image, even for levels outside the range or no steps at all.
  EXPECT_EQ(meterOnWidth(10, 1.7f, 100), 100);
  EXPECT_EQ(meterOffHeight(10, 1.0f, -0.5f, 100), 100);
  EXPECT_EQ(meterOnWidth(0, 0.5f, 100), 0);
}
