#include "level_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

double toDb(double amplitude) {
  return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -std::numeric_limits<double>::infinity();
}

} // namespace

Levels measureLevels(const StereoBuffer &buffer) {
  double peak = 0.0;
  double sumOfSquares = 0.0;
  for (const auto *channel : {&buffer.left, &buffer.right})
    for (float sample : *channel) {
      const double value = sample;
      peak = std::max(peak, std::fabs(value));
      sumOfSquares += value * value;
    }
  const double count = 2.0 * static_cast<double>(buffer.frames());
  return {toDb(peak), toDb(count > 0.0 ? std::sqrt(sumOfSquares / count) : 0.0)};
}

GainRange measureGainRange(const StereoBuffer &input, const StereoBuffer &output, int lag,
                           std::uint32_t sampleRate) {
  const std::size_t window = std::max<std::size_t>(1, sampleRate / 100);
  const double floor = std::pow(10.0, -80.0 / 10.0) * 2.0 * static_cast<double>(window);
  const std::size_t shift = static_cast<std::size_t>(std::max(lag, 0));
  const std::size_t frames = std::min(input.frames() + shift, output.frames());
  GainRange range{std::numeric_limits<double>::quiet_NaN(),
                  std::numeric_limits<double>::quiet_NaN()};
  for (std::size_t start = shift; start + window <= frames; start += window) {
    double inEnergy = 0.0, outEnergy = 0.0;
    for (std::size_t i = start; i < start + window; ++i) {
      const double inLeft = input.left[i - shift], inRight = input.right[i - shift];
      const double outLeft = output.left[i], outRight = output.right[i];
      inEnergy += inLeft * inLeft + inRight * inRight;
      outEnergy += outLeft * outLeft + outRight * outRight;
    }
    if (inEnergy < floor)
      continue;
    // A silenced output counts as 200 dB down rather than infinitely.
    const double gain = 10.0 * std::log10(std::max(outEnergy, inEnergy * 1e-20) / inEnergy);
    if (!(range.lowestDb <= gain))
      range.lowestDb = gain;
    if (!(range.highestDb >= gain))
      range.highestDb = gain;
  }
  return range;
}

std::string decibelText(double db) {
  if (std::isnan(db))
    return "n/a";
  if (std::isinf(db))
    return db < 0 ? "-inf" : "inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", db);
  return text;
}
