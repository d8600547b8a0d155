// Every call from the plug-in to the host, each with its answer when no host callback is set.
#include "effect_extended.h"

namespace {

VstInt32 toInt32(VstIntPtr answer) { return static_cast<VstInt32>(answer); }

} // namespace

VstInt32 EffectBase::getMasterVersion() {
  const VstIntPtr answer = callHost(audioMasterVersion);
  return answer == 0 ? 1 : toInt32(answer);
}

VstInt32 EffectBase::getCurrentUniqueId() { return toInt32(callHost(audioMasterCurrentId)); }

void EffectBase::masterIdle() { callHost(audioMasterIdle); }

bool EffectBase::isInputConnected(VstInt32 input) {
  return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool EffectBase::isOutputConnected(VstInt32 output) {
  return callHost(audioMasterPinConnected, output, 1) == 0;
}

void EffectExtended::requestEvents(VstInt32 filter) { callHost(audioMasterWantMidi, 0, filter); }

VstTimeInfo *EffectExtended::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo *>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 EffectExtended::tempoAt(VstInt32 position) {
  return toInt32(callHost(audioMasterTempoAt, 0, position));
}

bool EffectExtended::sendEventsToHost(VstEvents *events) {
  return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

VstInt32 EffectExtended::getNumAutomatableParameters() {
  return toInt32(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 EffectExtended::getParameterQuantization() {
  return toInt32(callHost(audioMasterGetParameterQuantization));
}

bool EffectExtended::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

bool EffectExtended::needIdle() { return callHost(audioMasterNeedIdle) != 0; }

bool EffectExtended::sizeWindow(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

float EffectExtended::updateSampleRate() {
  const VstIntPtr answer = callHost(audioMasterGetSampleRate);
  if (answer > 0)
    sampleRate = static_cast<float>(answer);
  return sampleRate;
}

VstInt32 EffectExtended::updateBlockSize() {
  const VstIntPtr answer = callHost(audioMasterGetBlockSize);
  if (answer > 0)
    blockSize = toInt32(answer);
  return blockSize;
}

VstInt32 EffectExtended::getInputLatency() { return toInt32(callHost(audioMasterGetInputLatency)); }

VstInt32 EffectExtended::getOutputLatency() {
  return toInt32(callHost(audioMasterGetOutputLatency));
}

AEffect *EffectExtended::getPreviousPlug(VstInt32) {
  return reinterpret_cast<AEffect *>(callHost(audioMasterGetPreviousPlug));
}

AEffect *EffectExtended::getNextPlug(VstInt32) {
  return reinterpret_cast<AEffect *>(callHost(audioMasterGetNextPlug));
}

VstInt32 EffectExtended::willReplaceOrAccumulate() {
  return toInt32(callHost(audioMasterWillReplaceOrAccumulate));
}

VstInt32 EffectExtended::getCurrentProcessLevel() {
  return toInt32(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 EffectExtended::getAutomationState() {
  return toInt32(callHost(audioMasterGetAutomationState));
}

bool EffectExtended::offlineStart(VstAudioFile *audioFiles, VstInt32 numAudioFiles,
                                  VstInt32 numNewAudioFiles) {
  return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

bool EffectExtended::offlineRead(VstOfflineTask *offline, VstInt32 option, bool readSource) {
  return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool EffectExtended::offlineWrite(VstOfflineTask *offline, VstInt32 option) {
  return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

VstInt32 EffectExtended::offlineGetCurrentPass() {
  return callHost(audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}

VstInt32 EffectExtended::offlineGetCurrentMetaPass() {
  return callHost(audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void EffectExtended::setOutputSampleRate(float rate) {
  callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement *EffectExtended::getInputSpeakerArrangement() {
  return reinterpret_cast<VstSpeakerArrangement *>(callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement *EffectExtended::getOutputSpeakerArrangement() {
  return reinterpret_cast<VstSpeakerArrangement *>(
      callHost(audioMasterGetOutputSpeakerArrangement));
}

bool EffectExtended::getHostVendorString(char *text) {
  return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool EffectExtended::getHostProductString(char *text) {
  return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 EffectExtended::getHostVendorVersion() {
  return toInt32(callHost(audioMasterGetVendorVersion));
}

VstIntPtr EffectExtended::hostVendorSpecific(VstInt32 index, VstIntPtr value, void *ptr,
                                             float opt) {
  return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}

VstInt32 EffectExtended::canHostDo(char *text) {
  return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

VstInt32 EffectExtended::getHostLanguage() { return toInt32(callHost(audioMasterGetLanguage)); }

void *EffectExtended::openWindow(VstWindow *window) {
  return reinterpret_cast<void *>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool EffectExtended::closeWindow(VstWindow *window) {
  return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void *EffectExtended::getDirectory() {
  return reinterpret_cast<void *>(callHost(audioMasterGetDirectory));
}

bool EffectExtended::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

bool EffectExtended::beginEdit(VstInt32 index) {
  return callHost(audioMasterBeginEdit, index) != 0;
}

bool EffectExtended::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

bool EffectExtended::openFileSelector(VstFileSelect *select) {
  return select && callHost(audioMasterOpenFileSelector, 0, 0, select) != 0;
}

bool EffectExtended::closeFileSelector(VstFileSelect *select) {
  return select && callHost(audioMasterCloseFileSelector, 0, 0, select) != 0;
}

bool EffectExtended::getChunkFile(void *nativePath) {
  return nativePath && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
