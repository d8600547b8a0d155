// One thread processes while others change parameters, programs and the sample rate and read
// what the editor reads. Run under the sanitizers; the output must stay finite throughout.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

#include "compressor_effect.h"

namespace {

std::uint32_t nextRandom(std::uint32_t &state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

TEST(CompressorStress, ConcurrentSettersNeverDisturbTheAudioThread) {
  CompressorEffect effect(nullptr);
  std::atomic<bool> running{true};
  std::atomic<long> blocks{0}, badSamples{0}, changes{0}, readings{0};

  std::thread audio([&] {
    constexpr int kFrames = 256;
    std::vector<float> inL(kFrames), inR(kFrames), outL(kFrames), outR(kFrames);
    std::uint32_t seed = 1;
    while (running.load()) {
      for (int i = 0; i < kFrames; ++i) {
        inL[i] = static_cast<float>(nextRandom(seed) >> 8) / 8388608.0f - 1.0f;
        inR[i] = 0.5f * inL[i];
      }
      float *in[2] = {inL.data(), inR.data()};
      float *out[2] = {outL.data(), outR.data()};
      effect.processReplacing(in, out, kFrames);
      for (int i = 0; i < kFrames; ++i)
        if (!std::isfinite(outL[i]) || !std::isfinite(outR[i]) || std::fabs(outL[i]) > 1e3f)
          ++badSamples;
      ++blocks;
    }
  });

  std::thread setter([&] {
    const float values[] = {0.0f,
                            0.5f,
                            1.0f,
                            0.4999f,
                            -3.0f,
                            7.0f,
                            std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()};
    const float rates[] = {44100.0f, 96000.0f, 768000.0f, 8000.0f, 1e9f, -1.0f};
    std::uint32_t seed = 7;
    char name[] = "Stress";
    while (running.load()) {
      const std::uint32_t r = nextRandom(seed);
      switch (r % 16) {
      case 0:
        effect.setProgram(static_cast<VstInt32>(r >> 8) % 8);
        break;
      case 1:
        effect.setSampleRate(rates[(r >> 8) % 6]);
        break;
      case 2:
        effect.resume();
        break;
      case 3:
        effect.setProgramName(name);
        break;
      default:
        effect.setParameter(static_cast<VstInt32>(r >> 8) % 7, values[(r >> 16) % 8]);
      }
      ++changes;
    }
  });

  std::thread reader([&] {
    char text[64];
    while (running.load()) {
      for (VstInt32 i = 0; i < 7; ++i)
        effect.getParamDisplay(i, text);
      effect.getProgramName(text);
      if (!std::isfinite(effect.inputMeter() + effect.outputMeter() + effect.outputGain()))
        ++badSamples;
      effect.compressing();
      effect.getParameter(effect.getProgram() % 7);
      ++readings;
    }
  });

  std::this_thread::sleep_for(std::chrono::seconds(3));
  running = false;
  audio.join();
  setter.join();
  reader.join();
  std::printf("%ld blocks, %ld changes, %ld readings\n", blocks.load(), changes.load(),
              readings.load());
  EXPECT_EQ(badSamples.load(), 0);
  EXPECT_GT(blocks.load(), 100);
  EXPECT_GT(changes.load(), 1000);
}

} // namespace
