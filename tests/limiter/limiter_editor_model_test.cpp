// What H3R's editor shows for parameter values and meter readings, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "limiter_editor_model.h"
#include "limiter_parameters.h"

using namespace limiter_editor;

namespace {

using Shown = std::pair<std::string, std::string>;
using P = LimiterParameters;

Shown shownAfter(int index, float v) {
  PanelDisplayValues values{};
  EXPECT_TRUE(displayValuesFor(index, v, values));
  char label[256] = "";
  char value[256] = "";
  labelText(values.label, label);
  valueText(values.value, value);
  return {label, value};
}

} // namespace

TEST(LimiterEditorTexts, EveryKnobAndSwitch) {
  EXPECT_EQ(shownAfter(P::ceil, 1.0f), Shown("CEILING", "0.0"));
  EXPECT_EQ(shownAfter(P::ceil, 0.5f), Shown("CEILING", "-6.0"));
  EXPECT_EQ(shownAfter(P::ceil, 0.0f), Shown("CEILING", "-12.0"));
  EXPECT_EQ(shownAfter(P::release, 0.0f), Shown("RELEASE", "50"));
  EXPECT_EQ(shownAfter(P::release, 0.5f), Shown("RELEASE", "500"));
  EXPECT_EQ(shownAfter(P::release, 1.0f), Shown("RELEASE", "5000"));
  EXPECT_EQ(shownAfter(P::level, 0.5f), Shown("GAIN", "0.0"));
  EXPECT_EQ(shownAfter(P::level, 1.0f), Shown("GAIN", "20.0"));
  EXPECT_EQ(shownAfter(P::level, 0.0f), Shown("GAIN", "-20.0"));
  EXPECT_EQ(shownAfter(P::type, 0.0f), Shown("KNEE", "hard"));
  EXPECT_EQ(shownAfter(P::type, 0.7f), Shown("KNEE", "soft"));
  EXPECT_EQ(shownAfter(P::ahead, 0.49f), Shown("AHEAD", "off"));
  EXPECT_EQ(shownAfter(P::ahead, 1.0f), Shown("AHEAD", "on"));
  for (float v : {0.0f, 0.3f, 0.5f, 0.51f, 1.0f}) {
    P p;
    p.values[P::type] = v;
    EXPECT_EQ(shownAfter(P::type, v).second == "soft", p.isOn(P::type)) << v;
  }
}

TEST(LimiterEditorTexts, FormattersOnTheirOwnAndUnknownIndices) {
  char text[256];
  labelText(0.0f, text);
  EXPECT_STREQ(text, "LEVEL");
  labelText(5.0f, text);
  EXPECT_STREQ(text, "LEVEL");
  labelText(3.5f, text);
  EXPECT_STREQ(text, "RELEASE");
  valueText(0.0f, text);
  EXPECT_STREQ(text, "0.0");
  valueText(49.9f, text);
  EXPECT_STREQ(text, "49.9");
  valueText(-75.3f, text); // below 50 counts by sign, not magnitude
  EXPECT_STREQ(text, "-75.3");
  PanelDisplayValues values{9.0f, 9.0f};
  EXPECT_FALSE(displayValuesFor(P::count, 0.5f, values));
  EXPECT_EQ(values.value, 9.0f);
}

TEST(LimiterEditorMeters, OutputBarShowsTheInputUntilLimiting) {
  const double input = std::pow(10.0, -12.0 / 20.0);
  const double output = std::pow(10.0, -30.0 / 20.0);
  PanelMeterReadings r = meterReadings(input, output, 0.0f);
  EXPECT_NEAR(r.input.bar, 0.8f, 1e-6f);
  EXPECT_EQ(r.output.bar, r.input.bar);
  EXPECT_EQ(r.gainReductionLamp, 0.0f);
  r = meterReadings(input, output, 1.0f);
  EXPECT_NEAR(r.output.bar, 0.5f, 1e-6f);
  EXPECT_EQ(r.gainReductionLamp, 1.0f);
  r = meterReadings(1.5, 0.9, 1.0f);
  EXPECT_TRUE(r.input.over);
  EXPECT_FALSE(r.output.over);
  r = meterReadings(1.5, 0.9, 0.0f); // not limiting: the output lamp follows the input
  EXPECT_TRUE(r.output.over);
}
