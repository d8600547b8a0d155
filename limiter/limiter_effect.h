// H3R, the peak limiter: what makes it the limiter, on the machinery both plug-ins share.
#pragma once

#include "effect/plugin_effect.h"
#include "limiter_processor.h"
#include "limiter_programs.h"
#include "limiter_settings.h"

constexpr VstInt32 kLimiterUniqueId = 0x33317835; // '31x5'

struct LimiterPlugin {
  using Parameters = LimiterParameters;
  using Settings = LimiterSettings;
  using Processor = LimiterProcessor;
  using P = LimiterParameters;

  static constexpr int programCount = kLimiterProgramCount;
  static constexpr VstInt32 uniqueId = kLimiterUniqueId;
  static constexpr const char *effectName = "H3R";
  static constexpr const char *productString = "TORVEL SOFT H3R";
  static constexpr ParameterText texts[P::count] = {{"Release", " ms "},
                                                    {"Ceil", " dB "},
                                                    {"Level", " dB "},
                                                    {"Type", "    "},
                                                    {"Ahead", "    "}};
  static constexpr int programOrder[] = {P::level, P::release, P::ceil, P::type, P::ahead};
  static constexpr int rateParameters[] = {P::release};

  static LimiterProgramBank factoryPrograms() { return factoryLimiterPrograms(); }
  static LimiterSettings settingsFor(const P &parameters, double sampleRate) {
    return computeLimiterSettings(parameters, sampleRate);
  }
  static LimiterProcessor processorFor(const LimiterSettings &s);
  static void startBlock(LimiterProcessor &processor, const LimiterSettings &s, bool reset,
                         bool rateChanged);
  static float lamp(const LimiterProcessor &processor) { return processor.limiting(); }
  static double displayNumber(int index, double unitValue);
};

class LimiterEffect : public PluginEffect<LimiterPlugin> {
public:
  explicit LimiterEffect(audioMasterCallback host) : PluginEffect(host) {}

  // 1.0 while the limiter reduces gain, for an editor on any thread; updated once per block.
  float limiting() const { return lampReading(); }
};
