#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/effect/probe_effect.h"

namespace {

std::string floatText(float value) {
  ProbeEffect effect;
  char text[32];
  std::memset(text, 'x', sizeof text);
  effect.floatToText(value, text);
  return text;
}

std::string longText(VstInt32 value) {
  ProbeEffect effect;
  char text[32];
  effect.longToText(value, text);
  return text;
}

TEST(FloatToText, TruncatesToEightCharacters) {
  EXPECT_EQ(floatText(0.0f), "0.000000");
  EXPECT_EQ(floatText(1.5f), "1.500000");
  EXPECT_EQ(floatText(-1.5f), "-1.50000");
  EXPECT_EQ(floatText(123.4567f), "123.4567");
  EXPECT_EQ(floatText(0.7f), "0.699999");
  EXPECT_EQ(floatText(3.0f), "3.000000");
  EXPECT_EQ(floatText(-0.25f), "-0.25000");
  EXPECT_EQ(floatText(0.001f), "0.001000");
  EXPECT_EQ(floatText(static_cast<float>(20.0 * std::log10(0.5))), "-6.02059");
  EXPECT_EQ(floatText(1234567.0f), "1234567.");
  EXPECT_EQ(floatText(-123456.0f), "-123456.");
}

TEST(FloatToText, BeyondTheLimitsIsHuge) {
  EXPECT_EQ(floatText(100000000.0f), "Huge!");
  EXPECT_EQ(floatText(99999999.0f), "Huge!") << "rounds to 1e8 as a float";
  EXPECT_EQ(floatText(-10000000.0f), "Huge!");
  EXPECT_EQ(floatText(INFINITY), "Huge!");
  EXPECT_EQ(floatText(-INFINITY), "Huge!");
  EXPECT_EQ(floatText(NAN), "NaN");
}

TEST(FloatToText, WideIntegerPartsKeepTheirLeadingDigits) {
  EXPECT_EQ(floatText(12345678.0f), "12345678");
  EXPECT_EQ(floatText(99999992.0f), "99999992");
  EXPECT_EQ(floatText(-1234567.0f), "-1234567");
  EXPECT_EQ(floatText(-9999999.0f), "-9999999");
  EXPECT_EQ(floatText(9999999.0f), "9999999.");
}

TEST(FloatToText, NeverWritesMoreThanNineBytes) {
  for (float v : {0.0f, -0.0f, 1e-30f, -1e-30f, 0.123456789f, -9999999.0f, 99999990.0f, 5e7f, -5e6f,
                  1234.5678f, -1.0f / 3.0f, 1e8f, NAN}) {
    char text[32];
    std::memset(text, 'x', sizeof text);
    ProbeEffect().floatToText(v, text);
    EXPECT_LE(std::strlen(text), 8u) << v;
    EXPECT_EQ(text[9], 'x') << v;
  }
}

TEST(LongToText, RightAlignedInSevenAndCutAtEight) {
  EXPECT_EQ(longText(5), "      5");
  EXPECT_EQ(longText(99999999), "99999999");
  EXPECT_EQ(longText(100000000), "Huge!");
  EXPECT_EQ(longText(-12345678), "-1234567");
  EXPECT_EQ(longText(-5), "     -5");
  EXPECT_EQ(longText(-2147483647 - 1), "-2147483");
}

TEST(DecibelsToText, GainInDecibelsOrMinusInfinity) {
  ProbeEffect effect;
  char text[16];
  effect.decibelsToText(1.0f, text);
  EXPECT_STREQ(text, "0.000000");
  effect.decibelsToText(0.5f, text);
  EXPECT_STREQ(text, "-6.02059");
  effect.decibelsToText(0.0f, text);
  EXPECT_STREQ(text, "-oo");
  effect.decibelsToText(-1.0f, text);
  EXPECT_STREQ(text, "-oo");
}

// The helpers go through the virtual table, so an override of floatToText or getSampleRate
// changes them too.
class MarkedEffect : public ProbeEffect {
public:
  void floatToText(float value, char *text) override {
    text[0] = '#';
    ProbeEffect::floatToText(value, text + 1);
  }
  float getSampleRate() override { return 1000.0f; }
};

TEST(DecibelsToText, HertzAndMilliseconds) {
  ProbeEffect effect;
  char text[16];
  effect.hertzToText(0.0f, text);
  EXPECT_STREQ(text, "0.000000");
  effect.hertzToText(441.0f, text);
  EXPECT_STREQ(text, "100.0000");
  effect.millisecondsToText(4410.0f, text);
  EXPECT_STREQ(text, "100.0000");

  MarkedEffect marked;
  marked.decibelsToText(1.0f, text);
  EXPECT_STREQ(text, "#0.000000");
  marked.hertzToText(10.0f, text);
  EXPECT_STREQ(text, "#100.0000");
  marked.millisecondsToText(10.0f, text);
  EXPECT_STREQ(text, "#10.00000");
}

} // namespace

#include "effect/program_names.h"

namespace {

TEST(ProgramNames, StoredNamesAreCutToTwentyThreeCharacters) {
  char field[kProgramNameSize];
  storeProgramName(field, "A name that is much longer than the field");
  EXPECT_STREQ(field, "A name that is much lon");
  storeProgramName(field, "");
  EXPECT_STREQ(field, "");
}

TEST(ProgramNames, InitIsShownWithItsNumber) {
  char field[kProgramNameSize], text[kProgramNameSize];
  storeProgramName(field, "Init");
  showProgramName(field, 2, text);
  EXPECT_STREQ(text, "Init 3");
  storeProgramName(field, "init");
  showProgramName(field, 2, text);
  EXPECT_STREQ(text, "init") << "the rule is case-sensitive";
  storeProgramName(field, "Init ");
  showProgramName(field, 0, text);
  EXPECT_STREQ(text, "Init ");
}

} // namespace
