// DW5K's effect: parameters, programs and identity for the host, and the audio path behind them.
#pragma once

#include <atomic>
#include <mutex>

#include "compressor_processor.h"
#include "compressor_programs.h"
#include "compressor_settings.h"
#include "dsp/peak_meters.h"
#include "dsp/settings_exchange.h"
#include "effect/effect_extended.h"

constexpr VstInt32 kCompressorUniqueId = 0x69773639; // 'iw69'

class CompressorEffect : public EffectExtended {
public:
  explicit CompressorEffect(audioMasterCallback host);

  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  VstInt32 getProgram() override;
  void setProgram(VstInt32 program) override;
  void setProgramName(char *name) override;
  void getProgramName(char *name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char *text) override;
  void getParamName(VstInt32 index, char *text) override;
  void getParamLabel(VstInt32 index, char *text) override;
  void getParamDisplay(VstInt32 index, char *text) override;

  bool getEffectName(char *name) override;
  bool getVendorString(char *text) override;
  bool getProductString(char *text) override;
  VstInt32 getVendorVersion() override;
  VstInt32 getPlugCategory() override;

  void process(float **inputs, float **outputs, VstInt32 sampleFrames) override;
  void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) override;
  void setSampleRate(float rate) override;
  float getSampleRate() override;
  void setBlockSizeAndSampleRate(VstInt32 size, float rate) override;
  void resume() override;

  // The editor's readings, from any thread: peaks of the last 40 ms window, the lamp, and the
  // linear output gain.
  double inputMeter() const { return published.input.load(std::memory_order_relaxed); }
  double outputMeter() const { return published.output.load(std::memory_order_relaxed); }
  float compressing() const { return published.lamp.load(std::memory_order_relaxed); }
  double outputGain() const { return shownOutputGain.load(std::memory_order_relaxed); }

  // The derived values of the newest parameter state.
  CompressorSettings settings() const;

private:
  // Caller holds `mutex`.
  CompressorParameters currentParameters() const;
  void recalculate();

  // Serialises the setter threads: the program table, the recalculation and `curProgram`.
  // Recursive because setProgram and setSampleRate go through the virtual setParameter.
  mutable std::recursive_mutex mutex;
  CompressorProgramBank programs;
  std::atomic<float> current[CompressorParameters::count];
  double runningRate;
  CompressorSettings latest;

  SettingsExchange<CompressorSettings> exchange;
  ResetRequest resetRequest;
  ResetRequest delayRequest;
  PublishedMeters published;
  std::atomic<double> shownOutputGain{1.0};

  CompressorProcessor processor; // audio thread only
};
