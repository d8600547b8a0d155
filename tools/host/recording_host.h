// A host callback that records every call a plug-in makes and answers what the test or tool
// configured, plus the dispatcher calls a host makes, wrapped.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "effect/plugin_interface.h"
#include "plugin_library.h"

struct HostCall {
  AEffect *effect;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void *ptr;
  float opt;
  std::string text; // the text behind ptr for the opcodes that pass one (canDo)
};

class RecordingHost {
public:
  RecordingHost();
  ~RecordingHost();
  RecordingHost(const RecordingHost &) = delete;
  RecordingHost &operator=(const RecordingHost &) = delete;

  // Answers: audioMasterVersion 2300, begin/end edit 1, everything else 0 unless set here.
  void setAnswer(VstInt32 opcode, VstIntPtr answer);
  VstIntPtr answerFor(VstInt32 opcode) const;
  // The answer to one capability query (audioMasterCanDo with this text), over setAnswer's.
  void setCanDo(const std::string &capability, VstIntPtr answer);

  // Runs after a call of `opcode` was recorded, before its answer goes back (outside the lock, so
  // the hook may call the plug-in again).
  using CallHook = std::function<void(const HostCall &)>;
  void setHook(VstInt32 opcode, CallHook hook);
  // Sees every call, as it is recorded.
  void setObserver(CallHook observer);

  std::vector<HostCall> calls() const;
  std::vector<HostCall> callsWith(VstInt32 opcode) const;
  void clearCalls();

  // The callback to hand to `main`. Calls are routed to the host that created the effect.
  static audioMasterCallback callback();

  // Calls `entry` with this host's callback; null when `main` answered null.
  AEffect *instantiate(PluginEntryProc entry);
  // Routes the calls of an effect built without `main` (unit tests) to this host.
  void adopt(AEffect *effect);
  // Forget an effect after effClose.
  void release(AEffect *effect);

private:
  static VstIntPtr VSTCALLBACK dispatchToHost(AEffect *effect, VstInt32 opcode, VstInt32 index,
                                              VstIntPtr value, void *ptr, float opt);
  VstIntPtr record(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                   float opt);

  mutable std::mutex mutex;
  std::map<VstInt32, VstIntPtr> answers;
  std::map<VstInt32, CallHook> hooks;
  std::map<std::string, VstIntPtr> capabilities;
  CallHook observer;
  std::vector<HostCall> log;
};

// An effect instance as the host sees it: only the record and its dispatcher.
class HostedEffect {
public:
  HostedEffect(RecordingHost &host, AEffect *effect) : host(host), effect(effect) {}
  ~HostedEffect();
  HostedEffect(const HostedEffect &) = delete;
  HostedEffect &operator=(const HostedEffect &) = delete;

  AEffect *record() const { return effect; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr,
                     float opt = 0.0f);
  // A text answer read into a buffer of `capacity` bytes pre-filled with zeros.
  std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   std::size_t capacity = 256);

  std::string paramName(VstInt32 index) { return text(effGetParamName, index); }
  std::string paramLabel(VstInt32 index) { return text(effGetParamLabel, index); }
  std::string paramDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
  std::string programName() { return text(effGetProgramName); }
  std::string programNameIndexed(VstInt32 index) { return text(effGetProgramNameIndexed, index); }
  std::string effectName() { return text(effGetEffectName); }
  std::string vendorString() { return text(effGetVendorString); }
  std::string productString() { return text(effGetProductString); }

  void setParameter(VstInt32 index, float value) { effect->setParameter(effect, index, value); }
  float getParameter(VstInt32 index) { return effect->getParameter(effect, index); }
  void setSampleRate(float rate) { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }
  void setBlockSize(VstInt32 frames) { dispatch(effSetBlockSize, 0, frames); }
  void resume() { dispatch(effMainsChanged, 0, 1); }
  void suspend() { dispatch(effMainsChanged, 0, 0); }
  void setProgram(VstInt32 program) { dispatch(effSetProgram, 0, program); }
  // Stereo in, stereo out, through the record's replacing entry.
  void processReplacing(float *inLeft, float *inRight, float *outLeft, float *outRight,
                        VstInt32 frames);
  // effClose; the record is gone afterwards. Also run by the destructor.
  VstIntPtr close();

private:
  RecordingHost &host;
  AEffect *effect;
};

// A library, a host and one effect from it, in the order a host sets them up.
struct LoadedPlugin {
  PluginLibrary library;
  RecordingHost host;
  std::unique_ptr<HostedEffect> effect;

  // False with library.error() or a reason in `error` when the library or its `main` fails.
  bool open(const std::string &path, std::string &error);
};
