#include "limiter_effect.h"

LimiterProcessor LimiterPlugin::processorFor(const LimiterSettings &s) {
  LimiterProcessor processor;
  processor.follow(s);
  processor.reset();
  return processor;
}

// The buffers follow their lengths at any rate; a change of rate needs nothing more.
void LimiterPlugin::startBlock(LimiterProcessor &processor, const LimiterSettings &s, bool reset,
                               bool) {
  processor.follow(s);
  if (reset)
    processor.reset();
}

double LimiterPlugin::displayNumber(int index, double v) {
  switch (index) {
  case P::release:
    return releaseMsFromValue(v);
  case P::ceil:
    return ceilDbFromValue(v);
  case P::level:
    return levelDbFromValue(v);
  default:
    return v >= 0.5 ? 1.0 : 0.0;
  }
}
