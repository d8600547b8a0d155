// What DW5K's editor shows for parameter values and meter readings, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compressor_editor_model.h"
#include "compressor_parameters.h"

using namespace compressor_editor;

namespace {

// The two display texts after parameter `index` changed to `v`.
std::pair<std::string, std::string> shownAfter(int index, float v) {
  PanelDisplayValues values{};
  EXPECT_TRUE(displayValuesFor(index, v, values));
  char label[256] = "";
  char value[256] = "";
  labelText(values.label, label);
  valueText(values.value, value);
  return {label, value};
}

using Shown = std::pair<std::string, std::string>;
using P = CompressorParameters;

} // namespace

TEST(CompressorEditorTexts, EveryKnobAtItsEndsAndMiddle) {
  EXPECT_EQ(shownAfter(P::ratio, 1.0f), Shown("RATIO", "20:1"));
  EXPECT_EQ(shownAfter(P::ratio, 0.0f), Shown("RATIO", "0.8:1"));
  EXPECT_EQ(shownAfter(P::ratio, 0.5f), Shown("RATIO", "4.0:1"));
  EXPECT_EQ(shownAfter(P::ratio, 0.75f), Shown("RATIO", "8.9:1")); // 0.8 * 25^0.75 = 8.94
  EXPECT_EQ(shownAfter(P::ratio, 0.8f), Shown("RATIO", "11:1"));   // 10.51: no decimal from 10
  EXPECT_EQ(shownAfter(P::release, 0.0f), Shown("RELEASE", "50.0"));
  EXPECT_EQ(shownAfter(P::release, 0.5f), Shown("RELEASE", "500"));
  EXPECT_EQ(shownAfter(P::release, 1.0f), Shown("RELEASE", "5000"));
  EXPECT_EQ(shownAfter(P::threshold, 0.0f), Shown("THRESH", "-40.0"));
  EXPECT_EQ(shownAfter(P::threshold, 0.5f), Shown("THRESH", "-20.0"));
  EXPECT_EQ(shownAfter(P::threshold, 1.0f), Shown("THRESH", "0.0"));
  EXPECT_EQ(shownAfter(P::attack, 0.5f), Shown("ATTACK", "100"));
  EXPECT_EQ(shownAfter(P::attack, 0.25f), Shown("ATTACK", "50.0"));
  EXPECT_EQ(shownAfter(P::level, 1.0f), Shown("LEVEL", "20.0"));
  EXPECT_EQ(shownAfter(P::level, 0.0f), Shown("LEVEL", "-20.0"));
}

TEST(CompressorEditorTexts, SwitchesReadAsTheEffectDecidesFromTheMiddleUp) {
  EXPECT_EQ(shownAfter(P::type, 0.0f), Shown("KNEE", "hard"));
  EXPECT_EQ(shownAfter(P::type, 0.49f), Shown("KNEE", "hard"));
  EXPECT_EQ(shownAfter(P::type, 0.5f), Shown("KNEE", "soft"));
  EXPECT_EQ(shownAfter(P::type, 0.7f), Shown("KNEE", "soft"));
  EXPECT_EQ(shownAfter(P::type, 1.0f), Shown("KNEE", "soft"));
  EXPECT_EQ(shownAfter(P::ahead, 0.3f), Shown("AHEAD", "off"));
  EXPECT_EQ(shownAfter(P::ahead, 0.5f), Shown("AHEAD", "on"));
  for (float v : {0.0f, 0.49f, 0.5f, 0.7f, 1.0f})
    EXPECT_EQ(shownAfter(P::type, v).second == "soft", switchIsOn(v)) << v;
}

TEST(CompressorEditorTexts, FormattersOnTheirOwnAndUnknownIndices) {
  char text[256];
  // Before any parameter change the displays show the texts for 0.
  labelText(0.0f, text);
  EXPECT_STREQ(text, "LEVEL");
  valueText(0.0f, text);
  EXPECT_STREQ(text, "0.0");
  labelText(5.9f, text); // truncated: 5 has no name of its own
  EXPECT_STREQ(text, "LEVEL");
  labelText(1.99f, text);
  EXPECT_STREQ(text, "THRESH");
  labelText(-1.0f, text);
  EXPECT_STREQ(text, "LEVEL");
  valueText(-99.96f, text);
  EXPECT_STREQ(text, "-100.0"); // magnitude below 100: one decimal
  valueText(-150.0f, text);
  EXPECT_STREQ(text, "-150");
  valueText(1e30f, text); // far outside every code: printed, not mistaken for a switch
  EXPECT_EQ(std::string(text).substr(0, 4), "1000");
  PanelDisplayValues values{9.0f, 9.0f};
  EXPECT_FALSE(displayValuesFor(P::count, 0.5f, values));
  EXPECT_FALSE(displayValuesFor(-1, 0.5f, values));
  EXPECT_EQ(values.label, 9.0f); // untouched
}

TEST(CompressorEditorMeters, OutputBarFollowsTheInputRaisedByTheGainUntilCompressing) {
  const double input = std::pow(10.0, -20.0 / 20.0);  // -20 dBFS
  const double output = std::pow(10.0, -30.0 / 20.0); // what the effect measured at its output
  const double plus6 = std::pow(10.0, 6.0 / 20.0);
  PanelMeterReadings r = meterReadings(input, output, 0.0f, plus6);
  EXPECT_NEAR(r.input.bar, 40.0f / 60.0f, 1e-6f);
  EXPECT_NEAR(r.output.bar - r.input.bar, 0.1f, 1e-6f); // 6 dB above the input bar
  EXPECT_EQ(r.gainReductionLamp, 0.0f);

  r = meterReadings(input, output, 1.0f, plus6);
  EXPECT_NEAR(r.output.bar, 0.5f, 1e-6f); // the measured output, gain ignored
  EXPECT_EQ(r.gainReductionLamp, 1.0f);

  // A loud input raised by the gain lights the output lamp without touching the input's.
  r = meterReadings(0.9, 0.0, 0.0f, plus6);
  EXPECT_FALSE(r.input.over);
  EXPECT_TRUE(r.output.over);
  r = meterReadings(1.5, 0.5, 1.0f, 1.0);
  EXPECT_TRUE(r.input.over);
  EXPECT_EQ(r.input.bar, 1.0f);
  EXPECT_FALSE(r.output.over);

  r = meterReadings(0.0, 0.0, 0.0f, plus6); // silence
  EXPECT_EQ(r.input.bar, 0.0f);
  EXPECT_EQ(r.output.bar, 0.0f);
}
