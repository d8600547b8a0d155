#include "compressor_effect.h"

#include <cmath>

void CompressorPlugin::startBlock(CompressorProcessor &processor, const CompressorSettings &s,
                                  bool reset, bool rateChanged) {
  if (reset)
    processor.reset(s.delayLength);
  else if (rateChanged)
    processor.clearDelay(s.delayLength);
}

// Ratio follows a linear law that meets the processing's ratio only at both ends.
double CompressorPlugin::displayNumber(int index, double v) {
  switch (index) {
  case P::attack:
    return 200.0 * v;
  case P::release:
    return 50.0 * std::exp(4.605170185988092 * v);
  case P::threshold:
    return 40.0 * v - 40.0;
  case P::ratio:
    return 1.0 / (19.2 * v + 0.8);
  case P::level:
    return 40.0 * v - 20.0;
  default:
    return switchIsOn(v) ? 1.0 : 0.0;
  }
}

double CompressorEffect::outputGain() const {
  return outputGainFor(clampUnit(currentValue(CompressorParameters::level)));
}
