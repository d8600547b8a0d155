#include "compressor_effect.h"

#include <cmath>
#include <cstring>

#include "editor/editor_base.h"

namespace {

using P = CompressorParameters;
using Lock = std::lock_guard<std::recursive_mutex>;

constexpr const char *kNames[P::count] = {"Attack", "Release", "Threshold", "Ratio",
                                          "Level",  "Type",    "Ahead"};
constexpr const char *kLabels[P::count] = {" ms ", " ms ", " dB ", "    ", " dB ", "    ", "    "};

bool isParameter(VstInt32 index) { return index >= 0 && index < P::count; }

// The number the host is shown. Ratio follows a linear law that meets the processing's ratio
// only at both ends.
double displayNumber(int index, double v) {
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

bool answer(char *text, const char *value) {
  std::strcpy(text, value);
  return true;
}

} // namespace

CompressorEffect::CompressorEffect(audioMasterCallback host)
    : EffectExtended(host, kCompressorProgramCount, P::count),
      programs(factoryCompressorPrograms()), runningRate(sampleRate),
      latest(computeCompressorSettings(P{}, runningRate)), exchange(latest),
      processor(latest.delayLength) {
  const P defaults;
  for (int i = 0; i < P::count; ++i)
    current[i].store(defaults.values[i], std::memory_order_relaxed);
  setProgram(0);
  setNumInputs(2);
  setNumOutputs(2);
  setHasVu(true);
  setCanReplacing(true);
  setUniqueID(kCompressorUniqueId);
  // The delay lines exist from the start, so their latency is reported from the start.
  setInitialDelay(latest.delayTap());
  resume();
}

CompressorParameters CompressorEffect::currentParameters() const {
  P p;
  for (int i = 0; i < P::count; ++i)
    p.values[i] = current[i].load(std::memory_order_relaxed);
  return p;
}

void CompressorEffect::recalculate() {
  latest = computeCompressorSettings(currentParameters(), runningRate);
  exchange.publish(latest);
  shownOutputGain.store(latest.outputGain, std::memory_order_relaxed);
}

CompressorSettings CompressorEffect::settings() const {
  Lock lock(mutex);
  return latest;
}

void CompressorEffect::setParameter(VstInt32 index, float value) {
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

float CompressorEffect::getParameter(VstInt32 index) {
  return isParameter(index) ? current[index].load(std::memory_order_relaxed) : 0.0f;
}

VstInt32 CompressorEffect::getProgram() {
  Lock lock(mutex);
  return curProgram;
}

void CompressorEffect::setProgram(VstInt32 program) {
  if (program < 0 || program >= kCompressorProgramCount)
    return;
  Lock lock(mutex);
  curProgram = program;
  const P stored = programs[program].parameters;
  for (int i = 0; i < P::count; ++i)
    setParameter(i, stored.values[i]);
}

void CompressorEffect::setProgramName(char *name) {
  Lock lock(mutex);
  storeProgramName(programs[curProgram].name, name);
}

void CompressorEffect::getProgramName(char *name) {
  Lock lock(mutex);
  showProgramName(programs[curProgram].name, curProgram, name);
}

bool CompressorEffect::getProgramNameIndexed(VstInt32, VstInt32 index, char *text) {
  if (index < 0 || index >= kCompressorProgramCount)
    return false;
  Lock lock(mutex);
  return answer(text, programs[index].name);
}

void CompressorEffect::getParamName(VstInt32 index, char *text) {
  if (isParameter(index))
    std::strcpy(text, kNames[index]);
}

void CompressorEffect::getParamLabel(VstInt32 index, char *text) {
  if (isParameter(index))
    std::strcpy(text, kLabels[index]);
}

void CompressorEffect::getParamDisplay(VstInt32 index, char *text) {
  if (!isParameter(index))
    return;
  const double v = clampUnit(current[index].load(std::memory_order_relaxed));
  floatToText(static_cast<float>(displayNumber(index, v)), text);
}

bool CompressorEffect::getEffectName(char *name) { return answer(name, "DW5K"); }

bool CompressorEffect::getVendorString(char *text) { return answer(text, "TORVEL Soft"); }

bool CompressorEffect::getProductString(char *text) { return answer(text, "TORVEL Soft DW5K"); }

VstInt32 CompressorEffect::getVendorVersion() { return 1000; }

VstInt32 CompressorEffect::getPlugCategory() { return 1; }

void CompressorEffect::process(float **inputs, float **outputs, VstInt32 sampleFrames) {
  processReplacing(inputs, outputs, sampleFrames);
}

void CompressorEffect::processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) {
  if (sampleFrames <= 0 || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
    return;
  // Requests first: a request made after a publication must find that publication.
  const bool reset = resetRequest.consume();
  const bool emptyDelay = delayRequest.consume();
  const CompressorSettings &s = exchange.acquire();
  if (reset)
    processor.reset(s.delayLength);
  else if (emptyDelay)
    processor.clearDelay(s.delayLength);
  processor.process(s, inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
  published.publish(processor.inputMeter(), processor.outputMeter(), processor.compressing());
}

void CompressorEffect::setSampleRate(float rate) {
  const std::optional<double> supported = supportedSampleRate(rate);
  if (!supported)
    return;
  Lock lock(mutex);
  runningRate = *supported;
  sampleRate = static_cast<float>(*supported);
  // Re-entering the setter keeps an editor in step; each call recalculates at the new rate.
  const P stored = programs[curProgram].parameters;
  setParameter(P::attack, stored.values[P::attack]);
  setParameter(P::release, stored.values[P::release]);
  setInitialDelay(latest.delayTap());
  delayRequest.request();
}

float CompressorEffect::getSampleRate() {
  Lock lock(mutex);
  return sampleRate;
}

// A host may announce its rate only here, so the rate takes the full path of setSampleRate.
void CompressorEffect::setBlockSizeAndSampleRate(VstInt32 size, float rate) {
  Lock lock(mutex);
  setSampleRate(rate);
  setBlockSize(size);
}

void CompressorEffect::resume() {
  resetRequest.request();
  published.clear();
}
