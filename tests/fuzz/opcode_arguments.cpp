#include "opcode_arguments.h"

OpcodeArguments argumentsOf(VstInt32 opcode) {
  switch (opcode) {
  case effGetProgramName:
  case effGetProgramNameIndexed:
    return {Passed::textOut, kProgramNameBytes};
  case effGetParamLabel:
  case effGetParamDisplay:
    return {Passed::textOut, kParameterTextBytes};
  case effGetParamName:
    return {Passed::textOut, kParameterNameBytes};
  case effGetEffectName:
    return {Passed::textOut, kEffectNameBytes};
  case effGetErrorText:
    return {Passed::textOut, kErrorTextBytes};
  case effGetVendorString:
  case effGetProductString:
    return {Passed::textOut, kVendorTextBytes};
  case effShellGetNextPlugin:
    return {Passed::textOut, kShellNameBytes};
  case effSetProgramName:
  case effString2Parameter:
  case effCanDo:
    return {Passed::textIn};
  case effEditGetRect:
  case effGetChunk:
    return {Passed::slot, sizeof(void *)};
  case effGetSpeakerArrangement:
    return {Passed::slot, sizeof(void *), Passed::slot};
  case effSetSpeakerArrangement:
    return {Passed::arrangement, 0, Passed::arrangement};
  case effSetChunk:
    return {Passed::chunk};
  case effEditOpen:
    return {Passed::window};
  case effProcessEvents:
  case effGetInputProperties:
  case effGetOutputProperties:
  case effOfflineNotify:
  case effOfflinePrepare:
  case effOfflineRun:
  case effProcessVarIo:
  case effVendorSpecific:
  case effGetParameterProperties:
  case effGetMidiProgramName:
  case effGetCurrentMidiProgram:
  case effGetMidiProgramCategory:
  case effGetMidiKeyName:
  case effBeginLoadBank:
  case effBeginLoadProgram:
    return {Passed::record, kOpaqueRecordBytes};
  default:
    return {};
  }
}
