#include "limiter_effect.h"

#include <cmath>
#include <cstring>

#include "editor/editor_base.h"

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr VstInt32 kEffectCategory = 1; // a plain audio effect, neither synth nor analyser

bool copyText(char *text, const char *value) {
  std::strcpy(text, value);
  return true;
}

} // namespace

LimiterEffect::LimiterEffect(audioMasterCallback host)
    : EffectExtended(host, kLimiterProgramCount, LimiterParameters::count),
      programs(factoryLimiterPrograms()), sampleRateD(sampleRate) {
  const LimiterParameters initial;
  for (int i = 0; i < LimiterParameters::count; ++i)
    current[i].store(initial.values[i], std::memory_order_relaxed);
  setProgram(0);
  setNumInputs(2);
  setNumOutputs(2);
  setHasVu(true);
  setCanReplacing(true);
  setUniqueID(kLimiterUniqueId);
  // The buffers exist from the start at the default rate, so the delay they give is real already.
  setInitialDelay(latest.delayTap());
  processor.follow(latest);
  processor.reset();
}

void LimiterEffect::setParameter(VstInt32 index, float value) {
  Lock lock(setterMutex);
  // A value that is not finite has no meaning for any law; it is not stored.
  if (isLimiterParameter(index) && std::isfinite(value)) {
    programs[curProgram].parameters.values[index] = value;
    current[index].store(value, std::memory_order_relaxed);
  }
  if (editor)
    editor->postUpdate();
  recalculate();
}

float LimiterEffect::getParameter(VstInt32 index) {
  return isLimiterParameter(index) ? current[index].load(std::memory_order_relaxed) : 0.0f;
}

void LimiterEffect::recalculate() {
  LimiterParameters values;
  for (int i = 0; i < LimiterParameters::count; ++i)
    values.values[i] = current[i].load(std::memory_order_relaxed);
  latest = computeLimiterSettings(values, sampleRateD);
  published.publish(latest);
}

LimiterSettings LimiterEffect::settings() const {
  Lock lock(setterMutex);
  return latest;
}

void LimiterEffect::process(float **inputs, float **outputs, VstInt32 sampleFrames) {
  processReplacing(inputs, outputs, sampleFrames);
}

void LimiterEffect::processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) {
  if (sampleFrames <= 0 || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
    return;
  const LimiterSettings &s = published.acquire();
  processor.follow(s);
  if (resetRequest.consume())
    processor.reset();
  processor.process(s, inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
  meters.publish(processor.inputMeter(), processor.outputMeter(), processor.limiting());
}

void LimiterEffect::setProgram(VstInt32 program) {
  if (program < 0 || program >= kLimiterProgramCount)
    return;
  Lock lock(setterMutex);
  curProgram = program;
  const LimiterParameters values = programs[program].parameters;
  for (int index : {LimiterParameters::level, LimiterParameters::release, LimiterParameters::ceil,
                    LimiterParameters::type, LimiterParameters::ahead})
    setParameter(index, values.values[index]);
}

VstInt32 LimiterEffect::getProgram() {
  Lock lock(setterMutex);
  return curProgram;
}

void LimiterEffect::setProgramName(char *name) {
  Lock lock(setterMutex);
  storeProgramName(programs[curProgram].name, name);
}

void LimiterEffect::getProgramName(char *name) {
  Lock lock(setterMutex);
  showProgramName(programs[curProgram].name, curProgram, name);
}

void LimiterEffect::getParamLabel(VstInt32 index, char *label) {
  if (isLimiterParameter(index))
    std::strcpy(label, kLimiterParameterTexts[index].label);
}

void LimiterEffect::getParamName(VstInt32 index, char *text) {
  if (isLimiterParameter(index))
    std::strcpy(text, kLimiterParameterTexts[index].name);
}

void LimiterEffect::getParamDisplay(VstInt32 index, char *text) {
  if (!isLimiterParameter(index))
    return;
  LimiterParameters p;
  p.values[index] = getParameter(index);
  double shown = 0.0;
  switch (index) {
  case LimiterParameters::release:
    shown = releaseMsFromValue(p.unit(index));
    break;
  case LimiterParameters::ceil:
    shown = ceilDbFromValue(p.unit(index));
    break;
  case LimiterParameters::level:
    shown = levelDbFromValue(p.unit(index));
    break;
  default:
    shown = p.isOn(index) ? 1.0 : 0.0;
    break;
  }
  floatToText(static_cast<float>(shown), text);
}

void LimiterEffect::setSampleRate(float rate) {
  const std::optional<double> supported = supportedSampleRate(rate);
  if (!supported)
    return;
  Lock lock(setterMutex);
  EffectExtended::setSampleRate(static_cast<float>(*supported));
  sampleRateD = *supported;
  setParameter(LimiterParameters::release,
               programs[curProgram].parameters.values[LimiterParameters::release]);
  setInitialDelay(latest.delayTap());
}

float LimiterEffect::getSampleRate() {
  Lock lock(setterMutex);
  return sampleRate;
}

// A host may announce its rate only here, so the rate takes the full path of setSampleRate.
void LimiterEffect::setBlockSizeAndSampleRate(VstInt32 size, float rate) {
  Lock lock(setterMutex);
  setSampleRate(rate);
  setBlockSize(size);
}

void LimiterEffect::resume() { resetState(); }

void LimiterEffect::resetState() {
  resetRequest.request();
  meters.clear();
}

bool LimiterEffect::getProgramNameIndexed(VstInt32, VstInt32 index, char *text) {
  if (index < 0 || index >= kLimiterProgramCount)
    return false;
  Lock lock(setterMutex);
  return copyText(text, programs[index].name);
}

VstInt32 LimiterEffect::getPlugCategory() { return kEffectCategory; }

bool LimiterEffect::getEffectName(char *name) { return copyText(name, "H3R"); }

bool LimiterEffect::getVendorString(char *text) { return copyText(text, "TORVEL Soft"); }

bool LimiterEffect::getProductString(char *text) { return copyText(text, "TORVEL SOFT H3R"); }

VstInt32 LimiterEffect::getVendorVersion() { return 1000; }
