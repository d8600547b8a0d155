// Default bodies of the extended operations that do not call the host.
#include "effect_extended.h"

#include <cstdlib>
#include <cstring>

namespace {

// Arrangements hold as many entries as were allocated, not the eight the record declares.
VstSpeakerProperties *speakerEntry(VstSpeakerArrangement *arrangement, VstInt32 i) {
  return reinterpret_cast<VstSpeakerProperties *>(reinterpret_cast<char *>(arrangement) +
                                                  kSpeakerArrangementHeader) +
         i;
}

} // namespace

EditorBase *EffectExtended::getEditor() { return editor; }

VstInt32 EffectExtended::processEvents(VstEvents *) { return 0; }

bool EffectExtended::canBeAutomated(VstInt32) { return true; }

bool EffectExtended::stringToParameter(VstInt32, char *) { return false; }

float EffectExtended::getChannelParameter(VstInt32, VstInt32) { return 0.0f; }

VstInt32 EffectExtended::getNumProgramCategories() { return 1; }

bool EffectExtended::getProgramNameIndexed(VstInt32, VstInt32, char *) { return false; }

bool EffectExtended::copyProgram(VstInt32) { return false; }

void EffectExtended::connectInput(VstInt32, bool) {}

void EffectExtended::connectOutput(VstInt32, bool) {}

bool EffectExtended::getInputProperties(VstInt32, VstPinProperties *) { return false; }

bool EffectExtended::getOutputProperties(VstInt32, VstPinProperties *) { return false; }

VstInt32 EffectExtended::getPlugCategory() { return hasFlag(effFlagsIsSynth) ? 2 : 0; }

void EffectExtended::setIsAsync(bool state) { setFlag(effFlagsExtIsAsync, state); }

void EffectExtended::setHasExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }

VstInt32 EffectExtended::getCurrentPosition() { return 0; }

float *EffectExtended::getDestinationBuffer() { return nullptr; }

bool EffectExtended::offlineNotify(VstAudioFile *, VstInt32, bool) { return false; }

bool EffectExtended::offlinePrepare(VstOfflineTask *, VstInt32) { return false; }

bool EffectExtended::offlineRun(VstOfflineTask *, VstInt32) { return false; }

void EffectExtended::setIsSynth(bool state) { setFlag(effFlagsIsSynth, state); }

void EffectExtended::setNoTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }

bool EffectExtended::processVariableIo(VstVariableIo *) { return false; }

bool EffectExtended::setSpeakerArrangement(VstSpeakerArrangement *, VstSpeakerArrangement *) {
  return false;
}

bool EffectExtended::getSpeakerArrangement(VstSpeakerArrangement **inputs,
                                           VstSpeakerArrangement **outputs) {
  *inputs = nullptr;
  *outputs = nullptr;
  return false;
}

void EffectExtended::setBlockSizeAndSampleRate(VstInt32 size, float rate) {
  blockSize = size;
  sampleRate = rate;
}

bool EffectExtended::setBypass(bool) { return false; }

bool EffectExtended::getEffectName(char *) { return false; }

bool EffectExtended::getErrorText(char *) { return false; }

bool EffectExtended::getVendorString(char *) { return false; }

bool EffectExtended::getProductString(char *) { return false; }

VstInt32 EffectExtended::getVendorVersion() { return 0; }

VstIntPtr EffectExtended::vendorSpecific(VstInt32, VstIntPtr, void *, float) { return 0; }

VstInt32 EffectExtended::canDo(char *) { return 0; }

void *EffectExtended::getIcon() { return nullptr; }

bool EffectExtended::setViewPosition(VstInt32, VstInt32) { return false; }

VstInt32 EffectExtended::getTailSize() { return 0; }

VstInt32 EffectExtended::effectIdle() { return 0; }

bool EffectExtended::getParameterProperties(VstInt32, VstParameterProperties *) { return false; }

bool EffectExtended::keysRequired() { return false; }

VstInt32 EffectExtended::getVstVersion() { return kVstVersion; }

VstInt32 EffectExtended::getMidiProgramName(VstInt32, MidiProgramName *) { return 0; }

VstInt32 EffectExtended::getCurrentMidiProgram(VstInt32, MidiProgramName *) { return -1; }

VstInt32 EffectExtended::getMidiProgramCategory(VstInt32, MidiProgramCategory *) { return 0; }

bool EffectExtended::hasMidiProgramsChanged(VstInt32) { return false; }

bool EffectExtended::getMidiKeyName(VstInt32, MidiKeyName *) { return false; }

bool EffectExtended::beginSetProgram() { return false; }

bool EffectExtended::endSetProgram() { return false; }

VstInt32 EffectExtended::setTotalSampleToProcess(VstInt32 value) { return value; }

VstInt32 EffectExtended::getNextShellPlugin(char *) { return 0; }

VstInt32 EffectExtended::startProcess() { return 0; }

VstInt32 EffectExtended::stopProcess() { return 0; }

bool EffectExtended::setPanLaw(VstInt32, float) { return false; }

VstInt32 EffectExtended::beginLoadBank(VstPatchChunkInfo *) { return 0; }

VstInt32 EffectExtended::beginLoadProgram(VstPatchChunkInfo *) { return 0; }

bool EffectExtended::createArrangement(VstSpeakerArrangement **arrangement, VstInt32 channels) {
  if (!arrangement || channels < 0)
    return false;
  if (*arrangement) {
    std::free(*arrangement);
    *arrangement = nullptr;
  }
  const std::size_t size =
      kSpeakerArrangementHeader + sizeof(VstSpeakerProperties) * static_cast<std::size_t>(channels);
  void *block = std::malloc(size);
  if (!block)
    return false;
  std::memset(block, 0, size);
  *arrangement = static_cast<VstSpeakerArrangement *>(block);
  (*arrangement)->numChannels = channels;
  return true;
}

bool EffectExtended::releaseArrangement(VstSpeakerArrangement **arrangement) {
  if (arrangement && *arrangement) {
    std::free(*arrangement);
    *arrangement = nullptr;
  }
  return true;
}

bool EffectExtended::copySpeakerEntry(VstSpeakerProperties *to, VstSpeakerProperties *from) {
  if (!to || !from)
    return false;
  const std::size_t length = strnlen(from->name, sizeof to->name - 1);
  std::memcpy(to->name, from->name, length);
  to->name[length] = '\0';
  to->type = from->type;
  to->azimuth = from->azimuth;
  to->elevation = from->elevation;
  to->radius = from->radius;
  to->reserved = from->reserved;
  std::memcpy(to->future, from->future, sizeof to->future);
  return true;
}

bool EffectExtended::copyArrangement(VstSpeakerArrangement **to, VstSpeakerArrangement *from) {
  if (!from)
    return false;
  if (!releaseArrangement(to) || !createArrangement(to, from->numChannels))
    return false;
  (*to)->type = from->type;
  for (VstInt32 i = 0; i < from->numChannels; ++i)
    if (!copySpeakerEntry(speakerEntry(*to, i), speakerEntry(from, i)))
      return false;
  return true;
}
