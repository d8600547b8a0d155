// The part of an effect that every plug-in of ours shares: programs with names, current values
// any thread may read, parameter changes that recalculate every derived value under one lock,
// the hand-over of those values to the audio thread, resume and rate requests, the readings an
// editor shows, and the host's texts and identity answers.
//
// `Plugin` states what is the plug-in's own:
//   Parameters, Settings, Processor   its normalised values (`values`, `count`, defaults as
//                                     constructed), everything derived from them (`delayTap()`
//                                     is the latency), and its audio path (`process`,
//                                     `inputMeter`, `outputMeter`)
//   programCount, factoryPrograms()   the program bank as it ships
//   programOrder                      the order in which a program's values are applied
//   rateParameters                    the values applied again after a change of sample rate,
//                                     at least one: each application recalculates
//   settingsFor(parameters, rate)     the derived values
//   processorFor(settings)            an audio path ready for the first block
//   startBlock(processor, settings, reset, rateChanged)
//                                     acts on the requests before a block
//   lamp(processor)                   the editor's gain-reduction lamp
//   texts, displayNumber(index, unit) the parameters' names, labels and shown numbers
//   uniqueId, effectName, productString
#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <optional>

#include "dsp/peak_meters.h"
#include "dsp/sample_guards.h"
#include "dsp/settings_exchange.h"
#include "editor/editor_base.h"
#include "effect_extended.h"
#include "plugin_version.h"
#include "program_names.h"

struct ParameterText {
  const char *name;
  const char *label;
};

constexpr const char *kVendorName = "TORVEL Soft";
constexpr VstInt32 kEffectCategory = 1; // a plain audio effect, neither synth nor analyser

template <class Plugin> class PluginEffect : public EffectExtended {
public:
  using Parameters = typename Plugin::Parameters;
  using Settings = typename Plugin::Settings;
  using Processor = typename Plugin::Processor;
  using ProgramBank = std::array<Program<Parameters>, Plugin::programCount>;

  explicit PluginEffect(audioMasterCallback host)
      : EffectExtended(host, Plugin::programCount, Parameters::count),
        programs(Plugin::factoryPrograms()), runningRate(sampleRate),
        latest(Plugin::settingsFor(Parameters{}, runningRate)), exchange(latest),
        processor(Plugin::processorFor(latest)) {
    const Parameters defaults;
    for (int i = 0; i < Parameters::count; ++i)
      current[i].store(defaults.values[i], std::memory_order_relaxed);
    setProgram(0);
    setNumInputs(2);
    setNumOutputs(2);
    setHasVu(true);
    setCanReplacing(true);
    setUniqueID(Plugin::uniqueId);
    // The delay lines exist from the start, so their latency is reported from the start.
    setInitialDelay(latest.delayTap());
    resetRequest.request();
  }

  void setParameter(VstInt32 index, float value) override {
    // A value that is not finite has no meaning for any law: nothing to store or recalculate.
    if (!std::isfinite(value))
      return;
    Lock lock(mutex);
    if (isParameter(index)) {
      programs[curProgram].parameters.values[index] = value;
      current[index].store(value, std::memory_order_relaxed);
    }
    if (editor)
      editor->postUpdate();
    recalculate();
  }

  float getParameter(VstInt32 index) override {
    return isParameter(index) ? current[index].load(std::memory_order_relaxed) : 0.0f;
  }

  VstInt32 getProgram() override {
    Lock lock(mutex);
    return curProgram;
  }

  void setProgram(VstInt32 program) override {
    if (program < 0 || program >= Plugin::programCount)
      return;
    Lock lock(mutex);
    curProgram = program;
    const Parameters stored = programs[program].parameters;
    for (int index : Plugin::programOrder)
      setParameter(index, stored.values[index]);
  }

  void setProgramName(char *name) override {
    Lock lock(mutex);
    storeProgramName(programs[curProgram].name, name);
  }

  void getProgramName(char *name) override {
    Lock lock(mutex);
    showProgramName(programs[curProgram].name, curProgram, name);
  }

  bool getProgramNameIndexed(VstInt32, VstInt32 index, char *text) override {
    if (index < 0 || index >= Plugin::programCount)
      return false;
    Lock lock(mutex);
    return answer(text, programs[index].name);
  }

  void getParamName(VstInt32 index, char *text) override {
    if (isParameter(index))
      std::strcpy(text, Plugin::texts[index].name);
  }

  void getParamLabel(VstInt32 index, char *text) override {
    if (isParameter(index))
      std::strcpy(text, Plugin::texts[index].label);
  }

  void getParamDisplay(VstInt32 index, char *text) override {
    if (!isParameter(index))
      return;
    const double unit = clampUnit(current[index].load(std::memory_order_relaxed));
    floatToText(static_cast<float>(Plugin::displayNumber(index, unit)), text);
  }

  void setSampleRate(float rate) override {
    const std::optional<double> supported = supportedSampleRate(rate);
    if (!supported)
      return;
    Lock lock(mutex);
    runningRate = *supported;
    sampleRate = static_cast<float>(*supported);
    // Re-entering the setter keeps an editor in step; each call recalculates at the new rate.
    const Parameters stored = programs[curProgram].parameters;
    for (int index : Plugin::rateParameters)
      setParameter(index, stored.values[index]);
    setInitialDelay(latest.delayTap());
    rateRequest.request();
  }

  float getSampleRate() override {
    Lock lock(mutex);
    return sampleRate;
  }

  // A host may announce its rate only here, so the rate takes the full path of setSampleRate.
  void setBlockSizeAndSampleRate(VstInt32 size, float rate) override {
    Lock lock(mutex);
    setSampleRate(rate);
    setBlockSize(size);
  }

  void resume() override {
    resetRequest.request();
    meters.clear();
  }

  void process(float **inputs, float **outputs, VstInt32 sampleFrames) override {
    processReplacing(inputs, outputs, sampleFrames);
  }

  void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) override {
    if (sampleFrames <= 0 || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
      return;
    // Requests first: a request made after a publication must find that publication.
    const bool reset = resetRequest.consume();
    const bool rateChanged = rateRequest.consume();
    const Settings &s = exchange.acquire();
    Plugin::startBlock(processor, s, reset, rateChanged);
    processor.process(s, inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
    meters.publish(processor.inputMeter(), processor.outputMeter(), Plugin::lamp(processor));
  }

  bool getEffectName(char *name) override { return answer(name, Plugin::effectName); }
  bool getVendorString(char *text) override { return answer(text, kVendorName); }
  bool getProductString(char *text) override { return answer(text, Plugin::productString); }
  VstInt32 getVendorVersion() override { return kVendorVersion; }
  VstInt32 getPlugCategory() override { return kEffectCategory; }

  // What an editor shows, from any thread without a lock: the peaks of the last meter window
  // (linear), updated once per processed block.
  double inputMeter() const { return meters.input.load(std::memory_order_relaxed); }
  double outputMeter() const { return meters.output.load(std::memory_order_relaxed); }

  // The derived values in force for the next block.
  Settings settings() const {
    Lock lock(mutex);
    return latest;
  }

protected:
  // 1.0 while the last block reduced gain; any thread.
  float lampReading() const { return meters.lamp.load(std::memory_order_relaxed); }
  // The current value as stored, any thread.
  float currentValue(int index) const { return current[index].load(std::memory_order_relaxed); }

private:
  using Lock = std::lock_guard<std::recursive_mutex>;

  static bool isParameter(VstInt32 index) { return index >= 0 && index < Parameters::count; }

  static bool answer(char *text, const char *value) {
    std::strcpy(text, value);
    return true;
  }

  // Caller holds `mutex`.
  void recalculate() {
    Parameters values;
    for (int i = 0; i < Parameters::count; ++i)
      values.values[i] = current[i].load(std::memory_order_relaxed);
    latest = Plugin::settingsFor(values, runningRate);
    exchange.publish(latest);
  }

  // Serialises the setter threads: the program table, the recalculation and `curProgram`.
  // Recursive because setProgram and setSampleRate apply values through the virtual
  // setParameter, so that a subclass sees each of them.
  mutable std::recursive_mutex mutex;
  ProgramBank programs;
  // Read without the mutex by getParameter, which hosts call from any thread.
  std::atomic<float> current[Parameters::count];
  double runningRate;
  Settings latest;

  // The hand-over between the setter threads and the audio thread.
  SettingsExchange<Settings> exchange;
  ResetRequest resetRequest;
  ResetRequest rateRequest;
  PublishedMeters meters;

  Processor processor; // audio thread only
};
