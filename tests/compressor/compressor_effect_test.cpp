#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "compressor_effect.h"
#include "editor/editor_base.h"

namespace {

using P = CompressorParameters;

// Records the numbers the effect hands to the framework's formatter.
class DisplayedEffect : public CompressorEffect {
public:
  DisplayedEffect() : CompressorEffect(nullptr) {}
  void floatToText(float value, char *text) override {
    shown.push_back(value);
    CompressorEffect::floatToText(value, text);
  }
  std::vector<float> shown;
};

class CountingEditor : public EditorBase {
public:
  using EditorBase::EditorBase;
  void postUpdate() override { ++posts; }
  int posts = 0;
};

std::string programName(CompressorEffect &e) {
  char text[64] = {};
  e.getProgramName(text);
  return text;
}

struct Block {
  std::vector<float> inL, inR, outL, outR;
  explicit Block(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {}
  void process(CompressorEffect &e, bool replacing = true) {
    float *in[2] = {inL.data(), inR.data()};
    float *out[2] = {outL.data(), outR.data()};
    const int frames = static_cast<int>(inL.size());
    replacing ? e.processReplacing(in, out, frames) : e.process(in, out, frames);
  }
};

TEST(CompressorEffect, FreshInstanceRunsTheDefaultProgram) {
  DisplayedEffect e;
  EXPECT_EQ(e.getProgram(), 0);
  EXPECT_EQ(programName(e), "00 - Default");
  const float expected[P::count] = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f};
  for (int i = 0; i < P::count; ++i)
    EXPECT_EQ(e.getParameter(i), expected[i]) << i;
  EXPECT_EQ(e.getParameter(7), 0.0f);
  char text[32];
  for (int i = 0; i < P::count; ++i)
    e.getParamDisplay(i, text);
  const float numbers[P::count] = {100.0f, 500.0f, -20.0f, 1.0f / 10.4f, 0.0f, 0.0f, 0.0f};
  ASSERT_EQ(e.shown.size(), 7u);
  for (int i = 0; i < P::count; ++i)
    EXPECT_NEAR(e.shown[i], numbers[i], 1e-4) << i;
}

TEST(CompressorEffect, DisplayedRatioFollowsItsLinearLaw) {
  DisplayedEffect e;
  for (float v : {1.0f, 0.25f, 0.0f}) {
    e.setParameter(P::ratio, v);
    char text[32];
    e.getParamDisplay(P::ratio, text);
    EXPECT_FLOAT_EQ(e.shown.back(), 1.0f / (19.2f * v + 0.8f));
  }
  EXPECT_FLOAT_EQ(e.shown[0], 0.05f);
  EXPECT_FLOAT_EQ(e.shown[2], 1.25f);
  EXPECT_NEAR(1.0 / e.settings().slope, 0.8, 1e-12) << "while the processing runs at 0.8:1";
}

TEST(CompressorEffect, EditsStayInTheirProgram) {
  CompressorEffect e(nullptr);
  e.setProgram(5);
  EXPECT_FLOAT_EQ(e.getParameter(P::attack), 0.051986f);
  e.setParameter(P::attack, 0.3f);
  e.setProgram(0);
  EXPECT_EQ(e.getParameter(P::attack), 0.5f);
  e.setProgram(5);
  EXPECT_EQ(e.getParameter(P::attack), 0.3f);
  EXPECT_NEAR(e.settings().attackMs, 60.0, 1e-5);
  e.setProgram(8);
  e.setProgram(-1);
  EXPECT_EQ(e.getProgram(), 5);
}

TEST(CompressorEffect, ProgramNames) {
  CompressorEffect e(nullptr);
  e.setProgram(2);
  char name[] = "Init";
  e.setProgramName(name);
  EXPECT_EQ(programName(e), "Init 3");
  char text[32] = "untouched";
  EXPECT_TRUE(e.getProgramNameIndexed(0, 2, text));
  EXPECT_STREQ(text, "Init");
  std::strcpy(text, "untouched");
  EXPECT_FALSE(e.getProgramNameIndexed(0, 8, text));
  EXPECT_STREQ(text, "untouched");
  char longName[] = "A name far longer than the field holds";
  e.setProgramName(longName);
  EXPECT_EQ(programName(e), std::string(longName, 23));
  EXPECT_TRUE(e.getProgramNameIndexed(0, 7, text));
  EXPECT_STREQ(text, "07 - Vocal");
}

TEST(CompressorEffect, NonFiniteValuesAreIgnoredAndOthersKeptButClamped) {
  CompressorEffect e(nullptr);
  auto *editor = new CountingEditor(&e);
  e.setEditor(editor);
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                    -std::numeric_limits<float>::infinity()})
    e.setParameter(P::level, bad);
  EXPECT_EQ(e.getParameter(P::level), 0.5f);
  EXPECT_EQ(editor->posts, 0) << "nothing stored, nothing recalculated";
  e.setParameter(P::level, 7.0f);
  EXPECT_EQ(e.getParameter(P::level), 7.0f);
  EXPECT_NEAR(e.outputGain(), 10.0, 1e-12);
  EXPECT_NEAR(e.settings().outputGainDb, 20.0, 1e-12);
  char text[32];
  e.getParamDisplay(P::level, text);
  EXPECT_STREQ(text, "20.00000");
  e.setParameter(99, 0.1f);
  EXPECT_EQ(editor->posts, 2) << "an index out of range still notifies and recalculates";
}

TEST(CompressorEffect, SampleRatesOutsideTheSupportedRange) {
  CompressorEffect e(nullptr);
  EXPECT_EQ(e.getAeffect()->initialDelay, 220) << "lines for the default rate from the start";
  for (float bad : {0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
    e.setSampleRate(bad);
    e.setBlockSizeAndSampleRate(512, bad);
  }
  EXPECT_EQ(e.getAeffect()->initialDelay, 220);
  EXPECT_EQ(e.getSampleRate(), 44100.0f);
  EXPECT_EQ(e.getBlockSize(), 512) << "the block size is taken all the same";
  e.setSampleRate(1e9f);
  EXPECT_EQ(e.getAeffect()->initialDelay, 3839);
  EXPECT_EQ(e.settings().sampleRate, 768000.0);
  e.setSampleRate(1000.0f);
  EXPECT_EQ(e.getAeffect()->initialDelay, 39);
  Block b(100);
  b.inL[0] = 1.0f;
  b.process(e);
  EXPECT_FLOAT_EQ(b.outL[39], 1.0f);
}

TEST(CompressorEffect, ImpulseLatencyIsTheReportedInitialDelay) {
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    for (float ahead : {0.0f, 1.0f}) {
      CompressorEffect e(nullptr);
      e.setParameter(P::ahead, ahead);
      e.setSampleRate(rate);
      e.resume();
      const int delay = e.getAeffect()->initialDelay;
      EXPECT_EQ(delay, static_cast<int>(rate * 0.005f + 0.5f) - 1);
      Block b(1000);
      b.inL[3] = b.inR[3] = 0.5f;
      b.process(e);
      for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(b.outL[i] > 1e-6f, i == 3 + delay) << rate << " Hz, frame " << i;
    }
  }
}

TEST(CompressorEffect, ProcessOverwritesLikeProcessReplacing) {
  CompressorEffect a(nullptr), b(nullptr);
  Block x(600), y(600);
  for (int i = 0; i < 600; ++i)
    x.inL[i] = y.inL[i] = x.inR[i] = y.inR[i] = 0.8f * std::sin(0.05f * static_cast<float>(i));
  std::fill(y.outL.begin(), y.outL.end(), 123.0f);
  x.process(a);
  y.process(b, false);
  EXPECT_EQ(x.outL, y.outL);
  EXPECT_EQ(x.outR, y.outR);
}

TEST(CompressorEffect, ResumeClearsReadingsAndStartsAfresh) {
  CompressorEffect used(nullptr), fresh(nullptr);
  Block loud(3000);
  for (int i = 0; i < 3000; ++i)
    loud.inL[i] = loud.inR[i] = 0.9f * std::sin(0.03f * static_cast<float>(i));
  loud.process(used);
  EXPECT_GT(used.inputMeter(), 0.8);
  EXPECT_GT(used.outputMeter(), 0.1);
  EXPECT_EQ(used.compressing(), 1.0f);
  used.resume();
  EXPECT_EQ(used.inputMeter(), 0.0);
  EXPECT_EQ(used.outputMeter(), 0.0);
  EXPECT_EQ(used.compressing(), 0.0f);
  Block again = loud, first = loud;
  again.process(used);
  first.process(fresh);
  EXPECT_EQ(again.outL, first.outL);
}

} // namespace
