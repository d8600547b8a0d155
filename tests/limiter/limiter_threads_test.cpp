// Hosts call setters, program changes, rate changes and resume from other threads while the
// audio thread processes: nothing may crash, tear or leave the effect in a broken state.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "limiter_test_signals.h"

namespace {

using P = LimiterParameters;

void setAll(LimiterEffect &effect, const float (&values)[P::count]) {
  for (int i = 0; i < P::count; ++i)
    effect.setParameter(i, values[i]);
}

TEST(LimiterThreads, SettersRateChangesAndResumesDuringProcessing) {
  LimiterEffect effect(nullptr);
  TestNoise noise(11);
  Stereo in(4096);
  for (std::size_t i = 0; i < in.size(); ++i) {
    in.left[i] = static_cast<float>(noise.next());
    in.right[i] = static_cast<float>(noise.next());
  }

  std::atomic<bool> settersDone{false};
  std::atomic<int> setterRounds{0};
  long blocks = 0;
  bool outputOutOfBounds = false, meterOutOfBounds = false;
  std::thread audio([&] {
    Stereo out(512);
    std::size_t offset = 0;
    while (!settersDone.load() || blocks < 200) {
      const int frames = 1 + static_cast<int>(blocks * 37 % 512);
      offset = (offset + 389) % (in.size() - 512);
      float *inputs[2] = {in.left.data() + offset, in.right.data() + offset};
      float *outputs[2] = {out.left.data(), out.right.data()};
      effect.processReplacing(inputs, outputs, frames);
      // Full-scale input, +20 dB at most, a ceiling changed by at most 12 dB between the write
      // and the read of a delayed sample, and the soft knee's lift: never beyond 42.
      for (int i = 0; i < frames; ++i)
        outputOutOfBounds |= !(std::fabs(out.left[i]) <= 42.0f && std::fabs(out.right[i]) <= 42.0f);
      meterOutOfBounds |= !(effect.inputMeter() <= 1.0 && effect.outputMeter() <= 42.0);
      ++blocks;
    }
  });

  auto setterThread = [&](auto body) {
    return std::thread([&, body] {
      for (int n = 0; n < 20000; ++n)
        body(n);
      setterRounds.fetch_add(1);
    });
  };
  std::thread parameters = setterThread([&](int n) {
    const float values[] = {0.0f, 0.3f, 0.5f, 0.4999f, 1.0f, 1.5f, -0.5f, NAN};
    effect.setParameter(n % 6, values[n % 8]);
    char text[64];
    effect.getParamDisplay(n % 5, text);
    (void)effect.getParameter(n % 5);
  });
  std::thread programs = setterThread([&](int n) {
    effect.setProgram(n % 9);
    char name[64] = "Init";
    if (n % 7 == 0)
      effect.setProgramName(name);
    effect.getProgramName(name);
    effect.getProgramNameIndexed(0, n % 8, name);
  });
  std::thread rates = setterThread([&](int n) {
    const float values[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 192000.0f, NAN, 0.0f, 8000.0f};
    if (n % 3 == 0)
      effect.setSampleRate(values[n % 8]);
    if (n % 5 == 0)
      effect.resume();
    (void)effect.getSampleRate();
    (void)effect.limiting();
  });
  parameters.join();
  programs.join();
  rates.join();
  settersDone = true;
  audio.join();

  EXPECT_EQ(setterRounds.load(), 3);
  EXPECT_GE(blocks, 200);
  EXPECT_FALSE(outputOutOfBounds);
  EXPECT_FALSE(meterOutOfBounds);

  // Settled again, the effect behaves as a fresh one with the same settings.
  const float values[P::count] = {0.2f, 0.6f, 0.9f, 1.0f, 1.0f};
  LimiterEffect fresh(nullptr);
  for (LimiterEffect *e : {&effect, &fresh}) {
    e->setSampleRate(48000.0f);
    setAll(*e, values);
    e->resume();
  }
  const Stereo a = runLimiter(effect, in, 256);
  const Stereo b = runLimiter(fresh, in, 300);
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
}

} // namespace
