// The records, callbacks, opcodes and flags that a host and a plug-in exchange. The layout is
// fixed by the hosts that load us: 144 bytes on 32-bit Windows, 192 on 64-bit Windows.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
// Pointer-sized: 64-bit hosts pass pointers through the dispatcher's and callback's `value`.
using VstIntPtr = std::intptr_t;

struct AEffect;

extern "C" {
using audioMasterCallback = VstIntPtr(VSTCALLBACK *)(AEffect *effect, VstInt32 opcode,
                                                     VstInt32 index, VstIntPtr value, void *ptr,
                                                     float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK *)(AEffect *effect, VstInt32 opcode,
                                                       VstInt32 index, VstIntPtr value, void *ptr,
                                                       float opt);
using AEffectProcessProc = void(VSTCALLBACK *)(AEffect *effect, float **inputs, float **outputs,
                                               VstInt32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK *)(AEffect *effect, VstInt32 index,
                                                    float parameter);
using AEffectGetParameterProc = float(VSTCALLBACK *)(AEffect *effect, VstInt32 index);
using PluginEntryProc = AEffect *(VSTCALLBACK *)(audioMasterCallback host);
}

constexpr VstInt32 kEffectMagic = 0x56737450;    // 'VstP'
constexpr VstInt32 kNoEffectId = 0x4E6F4566;     // 'NoEf'
constexpr VstInt32 kIdentifyAnswer = 0x4E764566; // 'NvEf'

struct AEffect {
  VstInt32 magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;
  VstInt32 realQualities;
  VstInt32 offQualities;
  float ioRatio;
  void *object;
  void *user;
  VstInt32 uniqueID;
  VstInt32 version;
  AEffectProcessProc processReplacing;
  char future[sizeof(void *) == 8 ? 64 : 60];
};

#if UINTPTR_MAX == 0xffffffffu
static_assert(sizeof(AEffect) == 144);
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 4);
static_assert(offsetof(AEffect, process) == 8);
static_assert(offsetof(AEffect, setParameter) == 12);
static_assert(offsetof(AEffect, getParameter) == 16);
static_assert(offsetof(AEffect, numPrograms) == 20);
static_assert(offsetof(AEffect, numParams) == 24);
static_assert(offsetof(AEffect, numInputs) == 28);
static_assert(offsetof(AEffect, numOutputs) == 32);
static_assert(offsetof(AEffect, flags) == 36);
static_assert(offsetof(AEffect, resvd1) == 40);
static_assert(offsetof(AEffect, resvd2) == 44);
static_assert(offsetof(AEffect, initialDelay) == 48);
static_assert(offsetof(AEffect, realQualities) == 52);
static_assert(offsetof(AEffect, offQualities) == 56);
static_assert(offsetof(AEffect, ioRatio) == 60);
static_assert(offsetof(AEffect, object) == 64);
static_assert(offsetof(AEffect, user) == 68);
static_assert(offsetof(AEffect, uniqueID) == 72);
static_assert(offsetof(AEffect, version) == 76);
static_assert(offsetof(AEffect, processReplacing) == 80);
static_assert(offsetof(AEffect, future) == 84);
#else
static_assert(sizeof(AEffect) == 192);
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 8);
static_assert(offsetof(AEffect, process) == 16);
static_assert(offsetof(AEffect, setParameter) == 24);
static_assert(offsetof(AEffect, getParameter) == 32);
static_assert(offsetof(AEffect, numPrograms) == 40);
static_assert(offsetof(AEffect, numParams) == 44);
static_assert(offsetof(AEffect, numInputs) == 48);
static_assert(offsetof(AEffect, numOutputs) == 52);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, resvd1) == 64);
static_assert(offsetof(AEffect, resvd2) == 72);
static_assert(offsetof(AEffect, initialDelay) == 80);
static_assert(offsetof(AEffect, realQualities) == 84);
static_assert(offsetof(AEffect, offQualities) == 88);
static_assert(offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, future) == 128);
#endif

enum VstAEffectFlags : VstInt32 {
  effFlagsHasEditor = 0x001,
  effFlagsHasClip = 0x002,
  effFlagsHasVu = 0x004,
  effFlagsCanMono = 0x008,
  effFlagsCanReplacing = 0x010,
  effFlagsProgramChunks = 0x020,
  effFlagsIsSynth = 0x100,
  effFlagsNoSoundInStop = 0x200,
  effFlagsExtIsAsync = 0x400,
  effFlagsExtHasBuffer = 0x800,
};

enum AEffectOpcodes : VstInt32 {
  effOpen = 0,
  effClose,
  effSetProgram,
  effGetProgram,
  effSetProgramName,
  effGetProgramName,
  effGetParamLabel,
  effGetParamDisplay,
  effGetParamName,
  effGetVu,
  effSetSampleRate,
  effSetBlockSize,
  effMainsChanged,
  effEditGetRect,
  effEditOpen,
  effEditClose,
  effEditDraw,
  effEditMouse,
  effEditKey,
  effEditIdle,
  effEditTop,
  effEditSleep,
  effIdentify,
  effGetChunk,
  effSetChunk,
  effProcessEvents,
  effCanBeAutomated,
  effString2Parameter,
  effGetNumProgramCategories,
  effGetProgramNameIndexed,
  effCopyProgram,
  effConnectInput,
  effConnectOutput,
  effGetInputProperties,
  effGetOutputProperties,
  effGetPlugCategory,
  effGetCurrentPosition,
  effGetDestinationBuffer,
  effOfflineNotify,
  effOfflinePrepare,
  effOfflineRun,
  effProcessVarIo,
  effSetSpeakerArrangement,
  effSetBlockSizeAndSampleRate,
  effSetBypass,
  effGetEffectName,
  effGetErrorText,
  effGetVendorString,
  effGetProductString,
  effGetVendorVersion,
  effVendorSpecific,
  effCanDo,
  effGetTailSize,
  effIdle,
  effGetIcon,
  effSetViewPosition,
  effGetParameterProperties,
  effKeysRequired,
  effGetVstVersion,
  effEditKeyDown,
  effEditKeyUp,
  effSetEditKnobMode,
  effGetMidiProgramName,
  effGetCurrentMidiProgram,
  effGetMidiProgramCategory,
  effHasMidiProgramsChanged,
  effGetMidiKeyName,
  effBeginSetProgram,
  effEndSetProgram,
  effGetSpeakerArrangement,
  effShellGetNextPlugin,
  effStartProcess,
  effStopProcess,
  effSetTotalSampleToProcess,
  effSetPanLaw,
  effBeginLoadBank,
  effBeginLoadProgram,
};
static_assert(effSetChunk == 24 && effSetBypass == 44 && effGetVstVersion == 58);
static_assert(effGetSpeakerArrangement == 69 && effBeginLoadProgram == 76);

enum AudioMasterOpcodes : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterCurrentId = 2,
  audioMasterIdle = 3,
  audioMasterPinConnected = 4,
  audioMasterWantMidi = 6,
  audioMasterGetTime = 7,
  audioMasterProcessEvents = 8,
  audioMasterTempoAt = 10,
  audioMasterGetNumAutomatableParameters = 11,
  audioMasterGetParameterQuantization = 12,
  audioMasterIOChanged = 13,
  audioMasterNeedIdle = 14,
  audioMasterSizeWindow = 15,
  audioMasterGetSampleRate = 16,
  audioMasterGetBlockSize = 17,
  audioMasterGetInputLatency = 18,
  audioMasterGetOutputLatency = 19,
  audioMasterGetPreviousPlug = 20,
  audioMasterGetNextPlug = 21,
  audioMasterWillReplaceOrAccumulate = 22,
  audioMasterGetCurrentProcessLevel = 23,
  audioMasterGetAutomationState = 24,
  audioMasterOfflineStart = 25,
  audioMasterOfflineRead = 26,
  audioMasterOfflineWrite = 27,
  audioMasterOfflineGetCurrentPass = 28,
  audioMasterOfflineGetCurrentMetaPass = 29,
  audioMasterSetOutputSampleRate = 30,
  audioMasterGetOutputSpeakerArrangement = 31,
  audioMasterGetVendorString = 32,
  audioMasterGetProductString = 33,
  audioMasterGetVendorVersion = 34,
  audioMasterVendorSpecific = 35,
  audioMasterCanDo = 37,
  audioMasterGetLanguage = 38,
  audioMasterOpenWindow = 39,
  audioMasterCloseWindow = 40,
  audioMasterGetDirectory = 41,
  audioMasterUpdateDisplay = 42,
  audioMasterBeginEdit = 43,
  audioMasterEndEdit = 44,
  audioMasterOpenFileSelector = 45,
  audioMasterCloseFileSelector = 46,
  audioMasterGetChunkFile = 48,
  audioMasterGetInputSpeakerArrangement = 49,
};

constexpr VstInt32 kVstVersion = 2300;

// Records that only pass through the framework: hosts and plug-ins that use them define them.
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstParameterProperties;
struct VstVariableIo;
struct VstOfflineTask;
struct VstAudioFile;
struct VstFileSelect;
struct VstPatchChunkInfo;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;

struct VstKeyCode {
  VstInt32 character;
  unsigned char virt;
  unsigned char modifier;
  unsigned char reserved[2];
};
static_assert(sizeof(VstKeyCode) == 8 && offsetof(VstKeyCode, virt) == 4 &&
              offsetof(VstKeyCode, modifier) == 5);

// The window a plug-in asks the host to open (audioMasterOpenWindow).
struct VstWindow {
  char title[128];
  VstInt16 xPos;
  VstInt16 yPos;
  VstInt16 width;
  VstInt16 height;
  VstInt32 style;
  void *parent;
  void *userHandle;
  void *winHandle;
  char future[104];
};
static_assert(offsetof(VstWindow, style) == 136 && offsetof(VstWindow, parent) >= 140);

struct ERect {
  VstInt16 top;
  VstInt16 left;
  VstInt16 bottom;
  VstInt16 right;
};
static_assert(sizeof(ERect) == 8);

struct VstSpeakerProperties {
  float azimuth;
  float elevation;
  float radius;
  float reserved;
  char name[64];
  VstInt32 type;
  char future[28];
};
static_assert(sizeof(VstSpeakerProperties) == 112 && offsetof(VstSpeakerProperties, name) == 16 &&
              offsetof(VstSpeakerProperties, type) == 80 &&
              offsetof(VstSpeakerProperties, future) == 84);

// Allocated with room for `numChannels` entries (8 + 112 * n bytes), which may be fewer or more
// than the eight declared here.
struct VstSpeakerArrangement {
  VstInt32 type;
  VstInt32 numChannels;
  VstSpeakerProperties speakers[8];
};
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);

// Capacity of the arrangement header alone, for allocation arithmetic.
constexpr std::size_t kSpeakerArrangementHeader = offsetof(VstSpeakerArrangement, speakers);

// One kind of file a file selection offers: names and extensions without the dot.
struct VstFileType {
  char name[128];
  char macType[8];
  char dosType[8];
  char unixType[8];
  char mimeType1[128];
  char mimeType2[128];
};
static_assert(sizeof(VstFileType) == 408 && offsetof(VstFileType, dosType) == 136 &&
              offsetof(VstFileType, unixType) == 144);

enum VstFileSelectCommand : VstInt32 {
  kVstFileLoad = 0,
  kVstFileSave = 1,
  kVstMultipleFilesLoad = 2,
  kVstDirectorySelect = 3,
};

// A file selection request, answered by the host or by the system dialogs.
struct VstFileSelect {
  VstInt32 command;
  VstInt32 type;
  VstInt32 macCreator;
  VstInt32 nbFileTypes;
  VstFileType *fileTypes;
  char title[1024];
  char *initialPath;
  char *returnPath; // owned by the caller, or by whoever filled it (see reserved)
  VstInt32 sizeReturnPath;
  char **returnMultiplePaths;
  VstInt32 nbReturnPath;
  VstIntPtr reserved; // 1 when the plug-in side allocated returnPath itself
  char future[116];
};
#if INTPTR_MAX == INT64_MAX
static_assert(sizeof(VstFileSelect) == 1216 && offsetof(VstFileSelect, title) == 24 &&
              offsetof(VstFileSelect, initialPath) == 1048 &&
              offsetof(VstFileSelect, sizeReturnPath) == 1064 &&
              offsetof(VstFileSelect, returnMultiplePaths) == 1072 &&
              offsetof(VstFileSelect, nbReturnPath) == 1080 &&
              offsetof(VstFileSelect, reserved) == 1088 && offsetof(VstFileSelect, future) == 1096);
#else
static_assert(sizeof(VstFileSelect) == 1184 && offsetof(VstFileSelect, title) == 20 &&
              offsetof(VstFileSelect, initialPath) == 1044 &&
              offsetof(VstFileSelect, sizeReturnPath) == 1052 &&
              offsetof(VstFileSelect, returnMultiplePaths) == 1056 &&
              offsetof(VstFileSelect, nbReturnPath) == 1060 &&
              offsetof(VstFileSelect, reserved) == 1064 && offsetof(VstFileSelect, future) == 1068);
#endif
