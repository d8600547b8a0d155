// Opcode dispatch of both effect classes: which host opcode calls which operation, and what the
// host gets back.
#include <cmath>
#include <limits>

#include "editor/editor_base.h"
#include "effect_extended.h"

namespace {

VstIntPtr boolAnswer(bool value) { return value ? 1 : 0; }

// Opcodes whose `ptr` is a text or record the operation writes or reads: a host that passes
// null there gets 0 and nothing is called.
bool needsPointer(VstInt32 opcode) {
  switch (opcode) {
  case effSetProgramName:
  case effGetProgramName:
  case effGetParamLabel:
  case effGetParamDisplay:
  case effGetParamName:
  case effEditGetRect:
  case effGetChunk:
  case effSetChunk:
  case effProcessEvents:
  case effString2Parameter:
  case effGetProgramNameIndexed:
  case effGetInputProperties:
  case effGetOutputProperties:
  case effOfflineNotify:
  case effOfflinePrepare:
  case effOfflineRun:
  case effProcessVarIo:
  case effGetEffectName:
  case effGetErrorText:
  case effGetVendorString:
  case effGetProductString:
  case effCanDo:
  case effGetParameterProperties:
  case effGetMidiProgramName:
  case effGetCurrentMidiProgram:
  case effGetMidiProgramCategory:
  case effGetMidiKeyName:
  case effGetSpeakerArrangement:
  case effShellGetNextPlugin:
  case effBeginLoadBank:
  case effBeginLoadProgram:
    return true;
  default:
    return false;
  }
}

// Truncation toward zero that stays defined for values no integer can hold.
VstInt32 truncateToInt(double value) {
  if (!(std::fabs(value) < 2147483647.0))
    return 0;
  return static_cast<VstInt32>(value);
}

VstKeyCode makeKeyCode(VstInt32 index, VstIntPtr value, float opt) {
  VstKeyCode key{};
  key.character = index;
  key.virt = static_cast<unsigned char>(value & 0xFF);
  key.modifier = static_cast<unsigned char>(truncateToInt(opt) & 0xFF);
  return key;
}

} // namespace

VstIntPtr EffectBase::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                 float opt) {
  if (!ptr && needsPointer(opcode))
    return 0;
  char *text = static_cast<char *>(ptr);
  switch (opcode) {
  case effOpen:
    open();
    return 0;
  case effClose:
    close();
    return 0;
  case effSetProgram:
    // A negative number would index before the program table.
    if (value >= 0 && value < numPrograms)
      setProgram(static_cast<VstInt32>(value));
    return 0;
  case effGetProgram:
    return getProgram();
  case effSetProgramName:
    setProgramName(text);
    return 0;
  case effGetProgramName:
    getProgramName(text);
    return 0;
  case effGetParamLabel:
    getParamLabel(index, text);
    return 0;
  case effGetParamDisplay:
    getParamDisplay(index, text);
    return 0;
  case effGetParamName:
    getParamName(index, text);
    return 0;
  case effGetVu:
    return truncateToInt(getVu() * 32767.0);
  case effSetSampleRate:
    setSampleRate(opt);
    return 0;
  case effSetBlockSize:
    setBlockSize(static_cast<VstInt32>(value));
    return 0;
  case effMainsChanged:
    if (value == 0)
      suspend();
    else
      resume();
    return 0;
  case effEditGetRect:
    return editor ? editor->getRect(static_cast<ERect **>(ptr)) : 0;
  case effEditOpen:
    return editor ? editor->open(ptr) : 0;
  case effEditClose:
    if (editor)
      editor->close();
    return 0;
  case effEditIdle:
    if (editor)
      editor->idle();
    return 0;
  case effIdentify:
    return kIdentifyAnswer;
  case effGetChunk:
    return getChunk(static_cast<void **>(ptr), index != 0);
  case effSetChunk:
    return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
  default:
    return 0;
  }
}

VstIntPtr EffectExtended::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                     float opt) {
  if (opcode < effProcessEvents || opcode > effBeginLoadProgram)
    return EffectBase::dispatcher(opcode, index, value, ptr, opt);
  if (!ptr && needsPointer(opcode))
    return 0;
  char *text = static_cast<char *>(ptr);
  const VstInt32 value32 = static_cast<VstInt32>(value);
  switch (opcode) {
  case effProcessEvents:
    return processEvents(static_cast<VstEvents *>(ptr));
  case effCanBeAutomated:
    return boolAnswer(canBeAutomated(index));
  case effString2Parameter:
    return boolAnswer(stringToParameter(index, text));
  case effGetNumProgramCategories:
    return getNumProgramCategories();
  case effGetProgramNameIndexed:
    return boolAnswer(getProgramNameIndexed(value32, index, text));
  case effCopyProgram:
    return boolAnswer(copyProgram(index));
  case effConnectInput:
    connectInput(index, value != 0);
    return 1;
  case effConnectOutput:
    connectOutput(index, value != 0);
    return 1;
  case effGetInputProperties:
    return boolAnswer(getInputProperties(index, static_cast<VstPinProperties *>(ptr)));
  case effGetOutputProperties:
    return boolAnswer(getOutputProperties(index, static_cast<VstPinProperties *>(ptr)));
  case effGetPlugCategory:
    return getPlugCategory();
  case effGetCurrentPosition:
    return getCurrentPosition();
  case effGetDestinationBuffer:
    return reinterpret_cast<VstIntPtr>(getDestinationBuffer());
  case effOfflineNotify:
    return boolAnswer(offlineNotify(static_cast<VstAudioFile *>(ptr), value32, index != 0));
  case effOfflinePrepare:
    return boolAnswer(offlinePrepare(static_cast<VstOfflineTask *>(ptr), value32));
  case effOfflineRun:
    return boolAnswer(offlineRun(static_cast<VstOfflineTask *>(ptr), value32));
  case effProcessVarIo:
    return boolAnswer(processVariableIo(static_cast<VstVariableIo *>(ptr)));
  case effSetSpeakerArrangement:
    return boolAnswer(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement *>(value),
                                            static_cast<VstSpeakerArrangement *>(ptr)));
  case effSetBlockSizeAndSampleRate:
    setBlockSizeAndSampleRate(value32, opt);
    return 1;
  case effSetBypass:
    return boolAnswer(setBypass(value != 0));
  case effGetEffectName:
    return boolAnswer(getEffectName(text));
  case effGetErrorText:
    return boolAnswer(getErrorText(text));
  case effGetVendorString:
    return boolAnswer(getVendorString(text));
  case effGetProductString:
    return boolAnswer(getProductString(text));
  case effGetVendorVersion:
    return getVendorVersion();
  case effVendorSpecific:
    return vendorSpecific(index, value, ptr, opt);
  case effCanDo:
    return canDo(text);
  case effGetTailSize:
    return getTailSize();
  case effIdle:
    return effectIdle();
  case effGetIcon:
    return reinterpret_cast<VstIntPtr>(getIcon());
  case effSetViewPosition:
    return boolAnswer(setViewPosition(index, value32));
  case effGetParameterProperties:
    return boolAnswer(getParameterProperties(index, static_cast<VstParameterProperties *>(ptr)));
  case effKeysRequired:
    return keysRequired() ? 0 : 1;
  case effGetVstVersion:
    return getVstVersion();
  case effEditKeyDown:
  case effEditKeyUp: {
    if (!editor)
      return 0;
    VstKeyCode key = makeKeyCode(index, value, opt);
    return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
  }
  case effSetEditKnobMode:
    return editor ? editor->setKnobMode(value32) : 0;
  case effGetMidiProgramName:
    return getMidiProgramName(index, static_cast<MidiProgramName *>(ptr));
  case effGetCurrentMidiProgram:
    return getCurrentMidiProgram(index, static_cast<MidiProgramName *>(ptr));
  case effGetMidiProgramCategory:
    return getMidiProgramCategory(index, static_cast<MidiProgramCategory *>(ptr));
  case effHasMidiProgramsChanged:
    return boolAnswer(hasMidiProgramsChanged(index));
  case effGetMidiKeyName:
    return boolAnswer(getMidiKeyName(index, static_cast<MidiKeyName *>(ptr)));
  case effBeginSetProgram:
    return boolAnswer(beginSetProgram());
  case effEndSetProgram:
    return boolAnswer(endSetProgram());
  case effGetSpeakerArrangement:
    if (value == 0)
      return 0;
    return boolAnswer(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement **>(value),
                                            static_cast<VstSpeakerArrangement **>(ptr)));
  case effShellGetNextPlugin:
    return getNextShellPlugin(text);
  case effStartProcess:
    return startProcess();
  case effStopProcess:
    return stopProcess();
  case effSetTotalSampleToProcess:
    return setTotalSampleToProcess(value32);
  case effSetPanLaw:
    return boolAnswer(setPanLaw(value32, opt));
  case effBeginLoadBank:
    return beginLoadBank(static_cast<VstPatchChunkInfo *>(ptr));
  case effBeginLoadProgram:
    return beginLoadProgram(static_cast<VstPatchChunkInfo *>(ptr));
  default:
    return 0;
  }
}
