// H3R, the peak limiter: parameters, programs, identity and the link between the threads that set
// them and the audio thread that processes.
#pragma once

#include <atomic>
#include <mutex>

#include "dsp/peak_meters.h"
#include "dsp/settings_exchange.h"
#include "effect/effect_extended.h"
#include "limiter_processor.h"
#include "limiter_programs.h"
#include "limiter_settings.h"

class LimiterEffect : public EffectExtended {
public:
  explicit LimiterEffect(audioMasterCallback host);

  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void process(float **inputs, float **outputs, VstInt32 sampleFrames) override;
  void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) override;
  void setProgram(VstInt32 program) override;
  VstInt32 getProgram() override;
  void setProgramName(char *name) override;
  void getProgramName(char *name) override;
  void getParamLabel(VstInt32 index, char *label) override;
  void getParamDisplay(VstInt32 index, char *text) override;
  void getParamName(VstInt32 index, char *text) override;
  void setSampleRate(float rate) override;
  float getSampleRate() override;
  void setBlockSizeAndSampleRate(VstInt32 size, float rate) override;
  void resume() override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char *text) override;
  VstInt32 getPlugCategory() override;
  bool getEffectName(char *name) override;
  bool getVendorString(char *text) override;
  bool getProductString(char *text) override;
  VstInt32 getVendorVersion() override;

  // What an editor shows, from any thread: the meter windows' peaks (linear) and 1.0 while the
  // limiter reduces gain. Updated once per processed block.
  double inputMeter() const { return meters.input.load(std::memory_order_relaxed); }
  double outputMeter() const { return meters.output.load(std::memory_order_relaxed); }
  float limiting() const { return meters.lamp.load(std::memory_order_relaxed); }

  // The derived values in force for the next block.
  LimiterSettings settings() const;

private:
  // Caller holds `setterMutex`.
  void recalculate();
  // The audio side of a reset; state back to silence at the next block.
  void resetState();

  // Setter side. Recursive because setProgram and setSampleRate apply values through the virtual
  // setParameter, so a subclass sees each of them.
  mutable std::recursive_mutex setterMutex;
  LimiterProgramBank programs;
  double sampleRateD;
  LimiterSettings latest;
  // Read without the mutex by getParameter, which hosts call from any thread.
  std::atomic<float> current[LimiterParameters::count];

  // The hand-over between the two sides.
  SettingsExchange<LimiterSettings> published;
  ResetRequest resetRequest;
  PublishedMeters meters;

  // Audio thread only.
  LimiterProcessor processor;
};

constexpr VstInt32 kLimiterUniqueId = 0x33317835; // '31x5'
