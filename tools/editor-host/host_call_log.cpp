#include "host_call_log.h"

#include <cstdio>

const char *hostOpcodeName(VstInt32 opcode) {
  switch (opcode) {
  case audioMasterAutomate:
    return "audioMasterAutomate";
  case audioMasterVersion:
    return "audioMasterVersion";
  case audioMasterCurrentId:
    return "audioMasterCurrentId";
  case audioMasterIdle:
    return "audioMasterIdle";
  case audioMasterPinConnected:
    return "audioMasterPinConnected";
  case audioMasterWantMidi:
    return "audioMasterWantMidi";
  case audioMasterGetTime:
    return "audioMasterGetTime";
  case audioMasterProcessEvents:
    return "audioMasterProcessEvents";
  case audioMasterTempoAt:
    return "audioMasterTempoAt";
  case audioMasterGetNumAutomatableParameters:
    return "audioMasterGetNumAutomatableParameters";
  case audioMasterGetParameterQuantization:
    return "audioMasterGetParameterQuantization";
  case audioMasterIOChanged:
    return "audioMasterIOChanged";
  case audioMasterNeedIdle:
    return "audioMasterNeedIdle";
  case audioMasterSizeWindow:
    return "audioMasterSizeWindow";
  case audioMasterGetSampleRate:
    return "audioMasterGetSampleRate";
  case audioMasterGetBlockSize:
    return "audioMasterGetBlockSize";
  case audioMasterGetInputLatency:
    return "audioMasterGetInputLatency";
  case audioMasterGetOutputLatency:
    return "audioMasterGetOutputLatency";
  case audioMasterGetPreviousPlug:
    return "audioMasterGetPreviousPlug";
  case audioMasterGetNextPlug:
    return "audioMasterGetNextPlug";
  case audioMasterWillReplaceOrAccumulate:
    return "audioMasterWillReplaceOrAccumulate";
  case audioMasterGetCurrentProcessLevel:
    return "audioMasterGetCurrentProcessLevel";
  case audioMasterGetAutomationState:
    return "audioMasterGetAutomationState";
  case audioMasterOfflineStart:
    return "audioMasterOfflineStart";
  case audioMasterOfflineRead:
    return "audioMasterOfflineRead";
  case audioMasterOfflineWrite:
    return "audioMasterOfflineWrite";
  case audioMasterOfflineGetCurrentPass:
    return "audioMasterOfflineGetCurrentPass";
  case audioMasterOfflineGetCurrentMetaPass:
    return "audioMasterOfflineGetCurrentMetaPass";
  case audioMasterSetOutputSampleRate:
    return "audioMasterSetOutputSampleRate";
  case audioMasterGetOutputSpeakerArrangement:
    return "audioMasterGetOutputSpeakerArrangement";
  case audioMasterGetVendorString:
    return "audioMasterGetVendorString";
  case audioMasterGetProductString:
    return "audioMasterGetProductString";
  case audioMasterGetVendorVersion:
    return "audioMasterGetVendorVersion";
  case audioMasterVendorSpecific:
    return "audioMasterVendorSpecific";
  case audioMasterCanDo:
    return "audioMasterCanDo";
  case audioMasterGetLanguage:
    return "audioMasterGetLanguage";
  case audioMasterOpenWindow:
    return "audioMasterOpenWindow";
  case audioMasterCloseWindow:
    return "audioMasterCloseWindow";
  case audioMasterGetDirectory:
    return "audioMasterGetDirectory";
  case audioMasterUpdateDisplay:
    return "audioMasterUpdateDisplay";
  case audioMasterBeginEdit:
    return "audioMasterBeginEdit";
  case audioMasterEndEdit:
    return "audioMasterEndEdit";
  case audioMasterOpenFileSelector:
    return "audioMasterOpenFileSelector";
  case audioMasterCloseFileSelector:
    return "audioMasterCloseFileSelector";
  case audioMasterGetChunkFile:
    return "audioMasterGetChunkFile";
  case audioMasterGetInputSpeakerArrangement:
    return "audioMasterGetInputSpeakerArrangement";
  default:
    return nullptr;
  }
}

std::string describeHostCall(const HostCall &call) {
  const char *name = hostOpcodeName(call.opcode);
  std::string line = name ? name : "opcode" + std::to_string(call.opcode);
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, " index=%d value=%lld opt=%g",
                static_cast<int>(call.index), static_cast<long long>(call.value),
                static_cast<double>(call.opt));
  line += numbers;
  if (!call.text.empty())
    line += " text=\"" + call.text + "\"";
  return line;
}
