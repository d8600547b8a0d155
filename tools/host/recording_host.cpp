#include "recording_host.h"

#include <cstring>

namespace {

std::mutex registryMutex;
std::map<AEffect *, RecordingHost *> hostsByEffect;
// The host whose `main` call is in progress: the version probe arrives with a null record.
RecordingHost *pendingHost = nullptr;

RecordingHost *hostFor(AEffect *effect) {
  std::lock_guard<std::mutex> lock(registryMutex);
  auto found = hostsByEffect.find(effect);
  if (found != hostsByEffect.end())
    return found->second;
  return pendingHost;
}

} // namespace

RecordingHost::RecordingHost() {
  answers[audioMasterVersion] = 2300;
  answers[audioMasterBeginEdit] = 1;
  answers[audioMasterEndEdit] = 1;
}

RecordingHost::~RecordingHost() {
  std::lock_guard<std::mutex> lock(registryMutex);
  for (auto it = hostsByEffect.begin(); it != hostsByEffect.end();)
    it = it->second == this ? hostsByEffect.erase(it) : std::next(it);
  if (pendingHost == this)
    pendingHost = nullptr;
}

void RecordingHost::setAnswer(VstInt32 opcode, VstIntPtr answer) {
  std::lock_guard<std::mutex> lock(mutex);
  answers[opcode] = answer;
}

VstIntPtr RecordingHost::answerFor(VstInt32 opcode) const {
  std::lock_guard<std::mutex> lock(mutex);
  auto found = answers.find(opcode);
  return found == answers.end() ? 0 : found->second;
}

std::vector<HostCall> RecordingHost::calls() const {
  std::lock_guard<std::mutex> lock(mutex);
  return log;
}

std::vector<HostCall> RecordingHost::callsWith(VstInt32 opcode) const {
  std::lock_guard<std::mutex> lock(mutex);
  std::vector<HostCall> selected;
  for (const HostCall &call : log)
    if (call.opcode == opcode)
      selected.push_back(call);
  return selected;
}

void RecordingHost::clearCalls() {
  std::lock_guard<std::mutex> lock(mutex);
  log.clear();
}

audioMasterCallback RecordingHost::callback() { return &RecordingHost::dispatchToHost; }

AEffect *RecordingHost::instantiate(PluginEntryProc entry) {
  {
    std::lock_guard<std::mutex> lock(registryMutex);
    pendingHost = this;
  }
  AEffect *effect = entry(callback());
  std::lock_guard<std::mutex> lock(registryMutex);
  pendingHost = nullptr;
  if (effect)
    hostsByEffect[effect] = this;
  return effect;
}

void RecordingHost::adopt(AEffect *effect) {
  std::lock_guard<std::mutex> lock(registryMutex);
  hostsByEffect[effect] = this;
}

void RecordingHost::release(AEffect *effect) {
  std::lock_guard<std::mutex> lock(registryMutex);
  hostsByEffect.erase(effect);
}

VstIntPtr VSTCALLBACK RecordingHost::dispatchToHost(AEffect *effect, VstInt32 opcode,
                                                    VstInt32 index, VstIntPtr value, void *ptr,
                                                    float opt) {
  RecordingHost *host = hostFor(effect);
  return host ? host->record(effect, opcode, index, value, ptr, opt) : 0;
}

VstIntPtr RecordingHost::record(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                void *ptr, float opt) {
  HostCall call{effect, opcode, index, value, ptr, opt, {}};
  if (opcode == audioMasterCanDo && ptr)
    call.text.assign(static_cast<const char *>(ptr), strnlen(static_cast<const char *>(ptr), 256));
  CallHook hook, watcher;
  VstIntPtr answer = 0;
  {
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back(call);
    auto found = answers.find(opcode);
    if (found != answers.end())
      answer = found->second;
    auto capability = capabilities.find(call.text);
    if (opcode == audioMasterCanDo && capability != capabilities.end())
      answer = capability->second;
    auto hooked = hooks.find(opcode);
    if (hooked != hooks.end())
      hook = hooked->second;
    watcher = observer;
  }
  if (watcher)
    watcher(call);
  if (hook)
    hook(call);
  return answer;
}

void RecordingHost::setCanDo(const std::string &capability, VstIntPtr answer) {
  std::lock_guard<std::mutex> lock(mutex);
  capabilities[capability] = answer;
}

void RecordingHost::setHook(VstInt32 opcode, CallHook hook) {
  std::lock_guard<std::mutex> lock(mutex);
  hooks[opcode] = std::move(hook);
}

void RecordingHost::setObserver(CallHook newObserver) {
  std::lock_guard<std::mutex> lock(mutex);
  observer = std::move(newObserver);
}

HostedEffect::~HostedEffect() { close(); }

VstIntPtr HostedEffect::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                 float opt) {
  if (!effect)
    return 0;
  if (opcode == effClose)
    return close();
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string HostedEffect::text(VstInt32 opcode, VstInt32 index, VstIntPtr value,
                               std::size_t capacity) {
  std::vector<char> buffer(capacity + 1, '\0');
  dispatch(opcode, index, value, buffer.data());
  return std::string(buffer.data(), strnlen(buffer.data(), capacity));
}

void HostedEffect::processReplacing(float *inLeft, float *inRight, float *outLeft, float *outRight,
                                    VstInt32 frames) {
  float *inputs[2] = {inLeft, inRight};
  float *outputs[2] = {outLeft, outRight};
  effect->processReplacing(effect, inputs, outputs, frames);
}

VstIntPtr HostedEffect::close() {
  if (!effect)
    return 0;
  AEffect *closing = effect;
  effect = nullptr;
  const VstIntPtr result = closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f);
  host.release(closing);
  return result;
}

bool LoadedPlugin::open(const std::string &path, std::string &error) {
  if (!library.load(path)) {
    error = library.error();
    return false;
  }
  AEffect *record = host.instantiate(library.entry());
  if (!record) {
    error = path + ": main answered null";
    return false;
  }
  if (record->magic != kEffectMagic) {
    error = path + ": the record's magic is wrong";
    return false;
  }
  effect = std::make_unique<HostedEffect>(host, record);
  return true;
}
