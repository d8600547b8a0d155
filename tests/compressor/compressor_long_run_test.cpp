// DW5K through an hour of audio under random automation: the outputs and the editor's readings
// stay finite, and afterwards the instance behaves exactly like a new one.
#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "compressor_effect.h"
#include "long_run_checks.h"

namespace {

std::array<double, 4> editorReadings(CompressorEffect &effect) {
  return {effect.inputMeter(), effect.outputMeter(), effect.compressing(), effect.outputGain()};
}

TEST(CompressorLongRun, AnHourOfAutomatedAudioStaysFiniteAndLeavesNoTrace) {
  CompressorEffect effect(nullptr);
  long_run::Plan plan;
  plan.seed = 20240611;
  const auto start = std::chrono::steady_clock::now();
  const long_run::Figures f = long_run::run(effect, plan, editorReadings);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  long_run::printFigures("DW5K", f, wall);

  EXPECT_EQ(f.badSamples, 0) << "first in block " << f.firstBadBlock;
  EXPECT_EQ(f.badMeterReadings, 0) << "first in block " << f.firstBadBlock;
  EXPECT_EQ(f.frames, static_cast<long long>(3600 * 48000));

  // No state may build up over the hour.
  CompressorEffect fresh(nullptr);
  long_run::expectNoTraceAfterResume(effect, fresh, kCompressorProgramCount,
                                     CompressorParameters::count);
}

} // namespace
