// DW5K through an hour of audio under random automation: the outputs and the editor's readings
// stay finite, and afterwards the instance behaves exactly like a new one.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include "compressor_effect.h"
#include "effect_long_run.h"

namespace {

std::array<double, 4> editorReadings(CompressorEffect &effect) {
  return {effect.inputMeter(), effect.outputMeter(), effect.compressing(), effect.outputGain()};
}

void print(const char *name, const long_run::Figures &f, double seconds) {
  std::printf("%s: %lld frames (%.0f s of audio) in %lld blocks, %lld scenes, %.2f s wall, "
              "%.1f ns/frame\n"
              "  %lld parameter changes (%lld out of range, %lld not finite), %lld program "
              "changes, %lld rate changes, %lld resumes, %lld blocks in place\n",
              name, f.frames, f.frames / 48000.0, f.blocks, f.scenes, seconds,
              seconds * 1e9 / static_cast<double>(f.frames), f.parameterChanges, f.outOfRangeValues,
              f.nonFiniteValues, f.programChanges, f.rateChanges, f.resumes, f.inPlaceBlocks);
}

TEST(CompressorLongRun, AnHourOfAutomatedAudioStaysFiniteAndLeavesNoTrace) {
  CompressorEffect effect(nullptr);
  long_run::Plan plan;
  plan.seed = 20240611;
  const auto start = std::chrono::steady_clock::now();
  const long_run::Figures f = long_run::run(effect, plan, editorReadings);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  print("DW5K", f, wall);

  EXPECT_EQ(f.badSamples, 0) << "first in block " << f.firstBadBlock;
  EXPECT_EQ(f.badMeterReadings, 0) << "first in block " << f.firstBadBlock;
  EXPECT_EQ(f.frames, static_cast<long long>(3600 * 48000));

  // No state may build up over the hour: after a resume, the used instance and a new one give the
  // same bits for every factory program, at the usual rate and at another.
  CompressorEffect fresh(nullptr);
  for (int program = 0; program < kCompressorProgramCount; ++program) {
    fresh.setProgram(program);
    std::vector<float> values(CompressorParameters::count);
    for (int i = 0; i < CompressorParameters::count; ++i)
      values[i] = fresh.getParameter(i);
    const float rate = program == 3 ? 44100.0f : 48000.0f;
    const std::vector<float> used =
        long_run::outputsAfterResume(effect, values, rate, 5.0, 100 + program);
    const std::vector<float> expected =
        long_run::outputsAfterResume(fresh, values, rate, 5.0, 100 + program);
    ASSERT_EQ(used.size(), expected.size());
    const long long at = long_run::firstDifference(used, expected);
    EXPECT_EQ(at, -1) << "program " << program << ", sample " << at << ": " << used[at] << " vs "
                      << expected[at];
  }
}

} // namespace
