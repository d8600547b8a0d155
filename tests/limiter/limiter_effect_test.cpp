// LimiterEffect's parameters, programs, texts and sample rates, driven as a host drives them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "editor/editor_base.h"
#include "limiter_effect.h"

namespace {

std::uint32_t bitsOf(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string text(LimiterEffect &effect, void (LimiterEffect::*get)(VstInt32, char *),
                 VstInt32 index) {
  char buffer[64] = "untouched";
  (effect.*get)(index, buffer);
  return buffer;
}

std::string programName(LimiterEffect &effect) {
  char buffer[64] = {};
  effect.getProgramName(buffer);
  return buffer;
}

std::string indexedName(LimiterEffect &effect, VstInt32 index) {
  char buffer[64] = "untouched";
  effect.getProgramNameIndexed(0, index, buffer);
  return buffer;
}

// Sees every value a program change applies, in order, as a subclass with an editor would.
class RecordingLimiter : public LimiterEffect {
public:
  RecordingLimiter() : LimiterEffect(nullptr) {}
  void setParameter(VstInt32 index, float value) override {
    applied.emplace_back(index, value);
    LimiterEffect::setParameter(index, value);
  }
  std::vector<std::pair<VstInt32, float>> applied;
};

class CountingEditor : public EditorBase {
public:
  using EditorBase::EditorBase;
  void postUpdate() override { ++posts; }
  int posts = 0;
};

TEST(LimiterEffect, FactoryProgramsHoldTheirExactBitsAndNames) {
  struct Row {
    const char *name;
    std::uint32_t bits[5]; // release, ceil, level, type, ahead
  };
  constexpr std::uint32_t half = 0x3F000000, zero = 0, one = 0x3F800000;
  const Row rows[8] = {
      {"00 - Default", {half, half, half, zero, zero}},
      {"01 - Peak Limiting", {zero, 0x3F4202DA, half, zero, one}},
      {"02 - Pumping", {zero, zero, 0x3F4CCCCD, one, zero}},
      {"03 - Squash it!", {half, 0x3E449E45, 0x3F28F5C3, one, one}},
      {"04 - Hard limiter @-3dB", {0x3F1BF291, 0x3F400000, half, zero, one}},
      {"05 - Hard limiter @-1dB", {0x3F27F3E0, 0x3F6AAAAB, half, zero, one}},
      {"06 - The razor's edge", {half, one, 0x3F2832FD, zero, one}},
      {"07 - Level maximizer", {0x3F333333, one, one, one, one}},
  };
  LimiterEffect effect(nullptr);
  EXPECT_EQ(effect.getProgram(), 0) << "a fresh instance starts on program 0";
  for (int p = 0; p < 8; ++p) {
    if (p > 0)
      effect.setProgram(p);
    EXPECT_EQ(effect.getProgram(), p);
    EXPECT_EQ(indexedName(effect, p), rows[p].name);
    EXPECT_EQ(programName(effect), rows[p].name);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(bitsOf(effect.getParameter(i)), rows[p].bits[i])
          << "program " << p << " param " << i;
  }
  EXPECT_EQ(indexedName(effect, 8), "untouched");
  EXPECT_EQ(indexedName(effect, -1), "untouched");
  char buffer[32] = {};
  EXPECT_FALSE(effect.getProgramNameIndexed(0, 8, buffer));
  EXPECT_TRUE(effect.getProgramNameIndexed(5, 7, buffer)) << "the category is ignored";
  EXPECT_STREQ(buffer, "07 - Level maximizer");
}

TEST(LimiterEffect, SetProgramAppliesLevelReleaseCeilTypeAheadInThatOrder) {
  RecordingLimiter effect;
  effect.applied.clear();
  effect.setProgram(3);
  const std::vector<std::pair<VstInt32, float>> expected = {
      {2, 0.66f}, {0, 0.5f}, {1, 0.19201f}, {3, 1.0f}, {4, 1.0f}};
  EXPECT_EQ(effect.applied, expected);
  const float values[] = {0.5f, 0.19201f, 0.66f, 1.0f, 1.0f};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(effect.getParameter(i), values[i]) << i;
  const LimiterSettings s = effect.settings();
  EXPECT_TRUE(s.softKnee);
  EXPECT_TRUE(s.lookAhead);
  EXPECT_NEAR(20.0 * std::log10(s.inputGain), 6.4, 1e-5);
  EXPECT_NEAR(20.0 * std::log10(s.ceilingGain), -9.69588, 1e-4);

  effect.applied.clear();
  effect.setProgram(8);
  effect.setProgram(-1);
  EXPECT_TRUE(effect.applied.empty()) << "indices outside the bank are ignored";
  EXPECT_EQ(effect.getProgram(), 3);
}

TEST(LimiterEffect, ProgramNamesInitShowsItsNumberAndLongNamesAreCut) {
  LimiterEffect effect(nullptr);
  effect.setProgram(4);
  char name[] = "Init";
  effect.setProgramName(name);
  EXPECT_EQ(programName(effect), "Init 5");
  EXPECT_EQ(indexedName(effect, 4), "Init") << "the indexed name is not expanded";
  char lower[] = "init";
  effect.setProgramName(lower);
  EXPECT_EQ(programName(effect), "init");
  char longName[] = "A name far longer than twenty-three characters";
  effect.setProgramName(longName);
  EXPECT_EQ(programName(effect), "A name far longer than ");
  EXPECT_EQ(indexedName(effect, 3), "03 - Squash it!") << "only the current program is renamed";
}

TEST(LimiterEffect, HostDisplays) {
  LimiterEffect effect(nullptr);
  const auto display = [&](VstInt32 index) {
    return text(effect, &LimiterEffect::getParamDisplay, index);
  };
  effect.setParameter(LimiterParameters::release, 0.5f);
  effect.setParameter(LimiterParameters::ceil, 0.0f);
  effect.setParameter(LimiterParameters::level, 1.0f);
  effect.setParameter(LimiterParameters::type, 0.7f);
  effect.setParameter(LimiterParameters::ahead, 0.3f);
  EXPECT_EQ(display(0), "500.0000");
  EXPECT_EQ(display(1), "-12.0000");
  EXPECT_EQ(display(2), "20.00000");
  EXPECT_EQ(display(3), "1.000000");
  EXPECT_EQ(display(4), "0.000000");
  effect.setParameter(LimiterParameters::release, 0.0f);
  effect.setParameter(LimiterParameters::ceil, 0.5f);
  EXPECT_EQ(display(0), "50.00000");
  EXPECT_EQ(display(1), "-6.00000");
  for (auto get : {&LimiterEffect::getParamName, &LimiterEffect::getParamLabel,
                   &LimiterEffect::getParamDisplay}) {
    EXPECT_EQ(text(effect, get, 5), "untouched");
    EXPECT_EQ(text(effect, get, -1), "untouched");
  }
}

TEST(LimiterEffect, SwitchesCountAsOnFromHalfAndKeepTheStoredValue) {
  LimiterEffect effect(nullptr);
  effect.setParameter(LimiterParameters::type, 0.5f);
  effect.setParameter(LimiterParameters::ahead, 0.5f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::type), 0.5f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::ahead), 0.5f);
  EXPECT_TRUE(effect.settings().softKnee);
  EXPECT_TRUE(effect.settings().lookAhead);
  effect.setParameter(LimiterParameters::type, 0.4999f);
  effect.setParameter(LimiterParameters::ahead, 0.4999f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::type), 0.4999f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::ahead), 0.4999f);
  EXPECT_FALSE(effect.settings().softKnee);
  EXPECT_FALSE(effect.settings().lookAhead);
}

TEST(LimiterEffect, AnIndexOutsideTheParametersStoresNothingButStillNotifies) {
  LimiterEffect effect(nullptr);
  auto *editor = new CountingEditor(&effect);
  effect.setEditor(editor); // owned by the effect from here
  const LimiterSettings before = effect.settings();
  effect.setParameter(7, 0.9f);
  EXPECT_EQ(editor->posts, 1);
  for (int i = 0; i < 5; ++i)
    EXPECT_NE(effect.getParameter(i), 0.9f) << i;
  effect.setProgram(1);
  effect.setProgram(0);
  for (int i = 0; i < 5; ++i)
    EXPECT_NE(effect.getParameter(i), 0.9f) << "nothing reached program 0: " << i;
  EXPECT_EQ(effect.settings().ceilingGain, before.ceilingGain);
  EXPECT_EQ(effect.settings().releasePair.state, before.releasePair.state);
  effect.setParameter(LimiterParameters::ceil, 0.25f);
  EXPECT_EQ(editor->posts, 12) << "one for index 7, five per program change, one more here";
}

TEST(LimiterEffect, EditsStayInTheProgramThatWasCurrent) {
  LimiterEffect effect(nullptr);
  effect.setProgram(2);
  effect.setParameter(LimiterParameters::ceil, 0.3f);
  effect.setParameter(LimiterParameters::ahead, 1.0f);
  effect.setProgram(0);
  EXPECT_EQ(effect.getParameter(LimiterParameters::ceil), 0.5f);
  effect.setProgram(2);
  EXPECT_EQ(effect.getParameter(LimiterParameters::ceil), 0.3f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::ahead), 1.0f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::level), 0.8f);
}

TEST(LimiterEffect, NonFiniteValuesAreIgnoredAndOthersStoredAsGivenButClamped) {
  LimiterEffect effect(nullptr);
  for (float bad : {NAN, INFINITY, -INFINITY}) {
    effect.setParameter(LimiterParameters::ceil, bad);
    EXPECT_EQ(effect.getParameter(LimiterParameters::ceil), 0.5f);
  }
  effect.setProgram(1);
  effect.setProgram(0);
  EXPECT_EQ(effect.getParameter(LimiterParameters::ceil), 0.5f) << "nor stored in the program";
  EXPECT_NEAR(effect.settings().ceilingGain, std::pow(10.0, -0.3), 1e-12);

  effect.setParameter(LimiterParameters::level, 1.7f);
  EXPECT_EQ(effect.getParameter(LimiterParameters::level), 1.7f);
  EXPECT_NEAR(effect.settings().inputGain, 10.0, 1e-12);
  EXPECT_EQ(text(effect, &LimiterEffect::getParamDisplay, LimiterParameters::level), "20.00000");
}

TEST(LimiterEffect, SampleRatesSetTheDelayAndBadOnesAreIgnoredOrClamped) {
  LimiterEffect effect(nullptr);
  effect.setSampleRate(44100.0f);
  EXPECT_EQ(effect.getAeffect()->initialDelay, 220);
  effect.setSampleRate(48000.0f);
  EXPECT_EQ(effect.getAeffect()->initialDelay, 239);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  EXPECT_EQ(effect.settings().historyLength, 1200);
  for (float bad : {NAN, INFINITY, 0.0f, -44100.0f}) {
    effect.setSampleRate(bad);
    effect.setBlockSizeAndSampleRate(333, bad);
    EXPECT_EQ(effect.getAeffect()->initialDelay, 239) << bad;
    EXPECT_EQ(effect.getSampleRate(), 48000.0f) << bad;
  }
  EXPECT_EQ(effect.getBlockSize(), 333) << "the block size is taken all the same";
  effect.setSampleRate(50.0f); // would give a delay line of less than one slot
  EXPECT_EQ(effect.getSampleRate(), 8000.0f);
  EXPECT_EQ(effect.getAeffect()->initialDelay, 39);
  effect.setSampleRate(2e6f); // would overflow the 16-bit history length
  EXPECT_EQ(effect.getSampleRate(), 768000.0f);
  EXPECT_EQ(effect.getAeffect()->initialDelay, 3839);
  EXPECT_EQ(effect.settings().historyLength, 19200);

  // The rate change recomputes the release weights from the current program's value.
  effect.setProgram(1);
  effect.setSampleRate(44100.0f);
  EXPECT_NEAR(effect.settings().releasePair.state, 0.9990028, 5e-8);
}

} // namespace
