// DW5K's effect: what makes it the compressor, on the machinery both plug-ins share.
#pragma once

#include "compressor_processor.h"
#include "compressor_programs.h"
#include "compressor_settings.h"
#include "effect/plugin_effect.h"

constexpr VstInt32 kCompressorUniqueId = 0x69773639; // 'iw69'

struct CompressorPlugin {
  using Parameters = CompressorParameters;
  using Settings = CompressorSettings;
  using Processor = CompressorProcessor;
  using P = CompressorParameters;

  static constexpr int programCount = kCompressorProgramCount;
  static constexpr VstInt32 uniqueId = kCompressorUniqueId;
  static constexpr const char *effectName = "DW5K";
  static constexpr const char *productString = "TORVEL Soft DW5K";
  static constexpr ParameterText texts[P::count] = {
      {"Attack", " ms "}, {"Release", " ms "}, {"Threshold", " dB "}, {"Ratio", "    "},
      {"Level", " dB "},  {"Type", "    "},    {"Ahead", "    "}};
  static constexpr int programOrder[] = {P::attack, P::release, P::threshold, P::ratio,
                                         P::level,  P::type,    P::ahead};
  static constexpr int rateParameters[] = {P::attack, P::release};

  static CompressorProgramBank factoryPrograms() { return factoryCompressorPrograms(); }
  static CompressorSettings settingsFor(const P &parameters, double sampleRate) {
    return computeCompressorSettings(parameters, sampleRate);
  }
  static CompressorProcessor processorFor(const CompressorSettings &s) {
    return CompressorProcessor(s.delayLength);
  }
  static void startBlock(CompressorProcessor &processor, const CompressorSettings &s, bool reset,
                         bool rateChanged);
  static float lamp(const CompressorProcessor &processor) { return processor.compressing(); }
  static double displayNumber(int index, double unitValue);
};

class CompressorEffect : public PluginEffect<CompressorPlugin> {
public:
  explicit CompressorEffect(audioMasterCallback host) : PluginEffect(host) {}

  // The editor's readings beside the meters, from any thread: the lamp and the linear output
  // gain.
  float compressing() const { return lampReading(); }
  double outputGain() const;
};
