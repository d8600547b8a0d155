// No value DW5K carries from block to block may become subnormal: arithmetic on subnormals costs
// a hundred times the usual on x86, and a compressor spends most of its life in the quiet after
// loud passages. Loud then a minute of silence, the reverse, loud then a minute of the tiniest
// values a host sends, under extreme settings; the state is read after every block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "compressor_processor.h"
#include "effect_long_run.h"

namespace {

using P = CompressorParameters;
using long_run::Passage;

bool subnormal(double v) { return std::fpclassify(v) == FP_SUBNORMAL; }

// The first subnormal among the processor's state, described, or an empty text.
std::string subnormalState(const CompressorProcessor &p) {
  const CompressorDetector &d = p.detector();
  const std::pair<const char *, double> values[] = {
      {"mean square", d.meanSquare},
      {"rms", d.rms},
      {"envelope", d.envelope},
      {"active pair input weight", d.activePair.input},
      {"active pair state weight", d.activePair.state},
      {"input meter", p.inputMeter()},
      {"output meter", p.outputMeter()},
      {"input window peak", p.meterWindow().inputPeak},
      {"output window peak", p.meterWindow().outputPeak},
  };
  std::ostringstream found;
  for (const auto &[name, v] : values)
    if (subnormal(v)) {
      found << name << " " << v;
      return found.str();
    }
  if (std::fpclassify(p.compressing()) == FP_SUBNORMAL) {
    found << "compressing lamp " << p.compressing();
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

// The normalised attack whose smoother weight e^(-2.2 / (rate * ms * 0.001)) is e^exponent: for
// exponents from -708 to -745 that weight lies among the subnormals.
float attackForWeight(double exponent, double rate) {
  return static_cast<float>(-2.2 / (rate * 0.001 * exponent) / 200.0);
}

struct Step {
  Passage::Character character;
  double seconds;
};

// Runs the steps through a processor set up for `c`; stops at the first block after which a
// state value or an output sample (the next plug-in's input) is subnormal and reports it.
void expectNoSubnormalState(const Case &c, const std::vector<Step> &steps, const char *order) {
  P parameters;
  for (const auto &[index, value] : c.changes)
    parameters.values[index] = value;
  const CompressorSettings s = computeCompressorSettings(parameters, c.rate);
  CompressorProcessor processor(s.delayLength);
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
      {"fastest release, zero attack, soft knee, look-ahead, -40 dB, 20:1, +20 dB",
       48000.0,
       {{P::release, 0.0f},
        {P::attack, 0.0f},
        {P::type, 1.0f},
        {P::ahead, 1.0f},
        {P::threshold, 0.0f},
        {P::ratio, 1.0f},
        {P::level, 1.0f}}},
      {"slowest release and attack, hard knee, 0 dB, expanding 0.8:1, -20 dB",
       48000.0,
       {{P::release, 1.0f},
        {P::attack, 1.0f},
        {P::threshold, 1.0f},
        {P::ratio, 0.0f},
        {P::level, 0.0f}}},
      {"attack weight of e^-720", 48000.0, {{P::attack, attackForWeight(-720.0, 48000.0)}}},
      {"attack weight of e^-740, fastest release, soft knee",
       48000.0,
       {{P::attack, attackForWeight(-740.0, 48000.0)}, {P::release, 0.0f}, {P::type, 1.0f}}},
      {"8 kHz, fastest release, attack weight of e^-710",
       8000.0,
       {{P::release, 0.0f}, {P::attack, attackForWeight(-710.0, 8000.0)}, {P::ahead, 1.0f}}},
      {"768 kHz, slowest release, attack weight of e^-730",
       768000.0,
       {{P::release, 1.0f}, {P::attack, attackForWeight(-730.0, 768000.0)}}},
  };
  return all;
}

TEST(CompressorDenormals, LoudThenAMinuteOfSilence) {
  for (const Case &c : cases())
    expectNoSubnormalState(c, {{Passage::loud, 3.0}, {Passage::silence, 60.0}}, "loud, silence");
}

TEST(CompressorDenormals, AMinuteOfSilenceThenLoud) {
  for (const Case &c : cases())
    expectNoSubnormalState(c, {{Passage::silence, 60.0}, {Passage::loud, 3.0}}, "silence, loud");
}

TEST(CompressorDenormals, LoudThenAMinuteOfTinyValues) {
  for (const Case &c : cases())
    expectNoSubnormalState(c, {{Passage::loud, 3.0}, {Passage::tiny, 60.0}}, "loud, tiny");
}

} // namespace
