// No value H3R carries from block to block may become subnormal: arithmetic on subnormals costs a
// hundred times the usual on x86, and a limiter spends most of its life in the quiet after loud
// passages. Loud then a minute of silence, the reverse, loud then a minute of the tiniest values a
// host sends, under extreme settings; the state is read after every block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "effect_long_run.h"
#include "limiter_processor.h"

namespace {

using P = LimiterParameters;
using long_run::Passage;

bool subnormal(double v) { return std::fpclassify(v) == FP_SUBNORMAL; }

// The first subnormal among the processor's state, described, or an empty text.
std::string subnormalState(const LimiterProcessor &p) {
  const std::pair<const char *, double> values[] = {
      {"envelope", p.envelopeLevel()},
      {"active pair input weight", p.envelopePair().input},
      {"active pair state weight", p.envelopePair().state},
      {"held peak", p.peakHold().peak()},
      {"input meter", p.inputMeter()},
      {"output meter", p.outputMeter()},
      {"input window peak", p.meters().inputPeak},
      {"output window peak", p.meters().outputPeak},
  };
  std::ostringstream found;
  for (const auto &[name, v] : values)
    if (subnormal(v)) {
      found << name << " " << v;
      return found.str();
    }
  if (std::fpclassify(p.limiting()) == FP_SUBNORMAL) {
    found << "limiting lamp " << p.limiting();
    return found.str();
  }
  const double *history = p.peakHold().values().data();
  for (int i = 0; i < p.peakHold().length(); ++i)
    if (subnormal(history[i])) {
      found << "peak history slot " << i << " " << history[i];
      return found.str();
    }
  const StereoDelayLine &line = p.delayLine();
  const double *left = line.leftSlots().data();
  const double *right = line.rightSlots().data();
  for (int i = 0; i < line.length(); ++i)
    if (subnormal(left[i]) || subnormal(right[i])) {
      found << "delay slot " << i << " " << left[i] << " " << right[i];
      return found.str();
    }
  return {};
}

struct Case {
  const char *name;
  double rate;
  std::vector<std::pair<int, float>> changes;
};

struct Step {
  Passage::Character character;
  double seconds;
};

// Runs the steps through a processor set up for `c`; stops at the first block after which a
// state value or an output sample (the next plug-in's input) is subnormal and reports it.
void expectNoSubnormalState(const Case &c, const std::vector<Step> &steps, const char *order) {
  LimiterParameters parameters;
  for (const auto &[index, value] : c.changes)
    parameters.values[index] = value;
  const LimiterSettings s = computeLimiterSettings(parameters, c.rate);
  LimiterProcessor processor;
  processor.follow(s);
  processor.reset();
  Passage passage(42, c.rate);
  long_run::Random blocks(7);
  // Blocks of up to about 20 ms, as hosts give them.
  const int largestBlock = std::clamp(static_cast<int>(c.rate / 48.0), 256, 16384);
  std::vector<float> left(largestBlock), right(largestBlock);
  long long frame = 0;
  for (const Step &step : steps) {
    const long long end = frame + static_cast<long long>(step.seconds * c.rate);
    while (frame < end) {
      const int n =
          static_cast<int>(std::min<long long>(1 + blocks.below(largestBlock), end - frame));
      passage.fill(step.character, left.data(), right.data(), n);
      processor.process(s, left.data(), right.data(), left.data(), right.data(), n);
      frame += n;
      std::string found = subnormalState(processor);
      for (int i = 0; i < n && found.empty(); ++i)
        if (std::fpclassify(left[i]) == FP_SUBNORMAL || std::fpclassify(right[i]) == FP_SUBNORMAL)
          found = "an output sample";
      if (!found.empty()) {
        ADD_FAILURE() << c.name << ", " << order << ": after " << frame / c.rate << " s, " << found;
        return;
      }
    }
  }
}

const std::vector<Case> &cases() {
  static const std::vector<Case> all = {
      {"default program", 48000.0, {}},
      {"fastest release, soft knee, look-ahead, ceiling -12 dB, level +20 dB",
       48000.0,
       {{P::release, 0.0f}, {P::type, 1.0f}, {P::ahead, 1.0f}, {P::ceil, 0.0f}, {P::level, 1.0f}}},
      {"slowest release, hard knee, ceiling 0 dB, level -20 dB",
       48000.0,
       {{P::release, 1.0f}, {P::ceil, 1.0f}, {P::level, 0.0f}}},
      {"fastest release, ceiling 0 dB, level -20 dB, look-ahead",
       48000.0,
       {{P::release, 0.0f}, {P::ceil, 1.0f}, {P::level, 0.0f}, {P::ahead, 1.0f}}},
      {"8 kHz, fastest release, soft knee",
       8000.0,
       {{P::release, 0.0f}, {P::type, 1.0f}, {P::level, 1.0f}}},
      {"768 kHz, slowest release, look-ahead", 768000.0, {{P::release, 1.0f}, {P::ahead, 1.0f}}},
  };
  return all;
}

TEST(LimiterDenormals, LoudThenAMinuteOfSilence) {
  for (const Case &c : cases())
    expectNoSubnormalState(c, {{Passage::loud, 3.0}, {Passage::silence, 60.0}}, "loud, silence");
}

TEST(LimiterDenormals, AMinuteOfSilenceThenLoud) {
  for (const Case &c : cases())
    expectNoSubnormalState(c, {{Passage::silence, 60.0}, {Passage::loud, 3.0}}, "silence, loud");
}

TEST(LimiterDenormals, LoudThenAMinuteOfTinyValues) {
  for (const Case &c : cases())
    expectNoSubnormalState(c, {{Passage::loud, 3.0}, {Passage::tiny, 60.0}}, "loud, tiny");
}

} // namespace
