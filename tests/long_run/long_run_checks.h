// The checks both plug-ins' long runs end with.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "effect_long_run.h"

namespace long_run {

inline void printFigures(const char *name, const Figures &f, double seconds) {
  std::printf("%s: %lld frames (%.0f s of audio) in %lld blocks, %lld scenes, %.2f s wall, "
              "%.1f ns/frame\n"
              "  %lld parameter changes (%lld out of range, %lld not finite), %lld program "
              "changes, %lld rate changes, %lld resumes, %lld blocks in place\n",
              name, f.frames, f.frames / 48000.0, f.blocks, f.scenes, seconds,
              seconds * 1e9 / static_cast<double>(f.frames), f.parameterChanges, f.outOfRangeValues,
              f.nonFiniteValues, f.programChanges, f.rateChanges, f.resumes, f.inPlaceBlocks);
}

// No state may build up over a run: after a resume, the used instance and a new one give the
// same bits for every factory program, at the usual rate and (program 3) at another.
template <class Effect>
void expectNoTraceAfterResume(Effect &used, Effect &fresh, int programCount, int parameterCount) {
  for (int program = 0; program < programCount; ++program) {
    fresh.setProgram(program);
    std::vector<float> values(parameterCount);
    for (int i = 0; i < parameterCount; ++i)
      values[i] = fresh.getParameter(i);
    const float rate = program == 3 ? 44100.0f : 48000.0f;
    const std::vector<float> after = outputsAfterResume(used, values, rate, 5.0, 100 + program);
    const std::vector<float> expected = outputsAfterResume(fresh, values, rate, 5.0, 100 + program);
    ASSERT_EQ(after.size(), expected.size());
    const long long at = firstDifference(after, expected);
    EXPECT_EQ(at, -1) << "program " << program << ", sample " << at << ": " << after[at] << " vs "
                      << expected[at];
  }
}

} // namespace long_run
