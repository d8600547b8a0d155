#include "host_session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "audio_block.h"
#include "call_arguments.h"
#include "fuzz_check.h"
#include "fuzz_values.h"
#include "host_block.h"
#include "host_script.h"

namespace {

using host_script::Step;

// Frames one input may process in all; past that, processing steps are skipped, so that every
// input runs in a few milliseconds.
constexpr long kFrameBudget = 1L << 16;
// The largest block processed, whatever size the host announced.
constexpr int kLargestBlock = 8192;
constexpr VstIntPtr kHostVersion = 2300;
// A text buffer starts without a terminator, so that an unfinished text shows.
constexpr std::uint8_t kUnterminated = 0xA5;

// The record the host is talking to; null while `main` runs.
AEffect *liveRecord = nullptr;

// With HOST_SESSION_TRACE set, every call is printed, to read what a crashing input does.
const bool tracing = std::getenv("HOST_SESSION_TRACE") != nullptr;

VstIntPtr VSTCALLBACK fuzzHost(AEffect *effect, VstInt32 opcode, VstInt32, VstIntPtr, void *,
                               float) {
  if (opcode == audioMasterVersion && !effect)
    return kHostVersion;
  fuzzCheck(effect && (!liveRecord || effect == liveRecord),
            "the effect calls the host with its own record");
  return 0;
}

class HostSession {
public:
  HostSession(FuzzBytes &in, EffectFactory create) : in(in), create(create) { open(); }
  ~HostSession() { close(); }
  HostSession(const HostSession &) = delete;
  HostSession &operator=(const HostSession &) = delete;

  void run() {
    while (!in.empty())
      step(static_cast<Step>(in.byte() % static_cast<int>(Step::count)));
    readEverything();
  }

private:
  void open() {
    effect = create(fuzzHost);
    fuzzCheck(effect != nullptr, "a host that answers the version probe gets an effect");
    liveRecord = effect;
    numParams = effect->numParams;
    numPrograms = effect->numPrograms;
    announcedBlock = 1024;
    checkRecord();
  }

  void close() {
    if (!effect)
      return;
    const VstIntPtr answer = effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    fuzzCheck(answer == 1, "effClose answers 1");
    effect = nullptr;
    liveRecord = nullptr;
  }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr,
                     float opt = 0.0f) {
    if (tracing)
      std::fprintf(stderr, "dispatch %d index %d value %lld ptr %p opt %g\n", opcode, index,
                   static_cast<long long>(value), ptr, static_cast<double>(opt));
    const VstIntPtr answer = effect->dispatcher(effect, opcode, index, value, ptr, opt);
    if (opcode == effSetBlockSize || opcode == effSetBlockSizeAndSampleRate)
      announcedBlock = static_cast<VstInt32>(value);
    if (opcode == effGetProgram)
      fuzzCheck(answer >= 0 && answer < numPrograms, "the current program is one of the effect's");
    checkRecord();
    return answer;
  }

  // Fields a host reads from the record at any time.
  void checkRecord() const {
    fuzzCheck(effect->magic == kEffectMagic && effect->object, "the record stays intact");
    fuzzCheck(effect->numParams == numParams && effect->numPrograms == numPrograms,
              "the parameter and program counts do not change");
    fuzzCheck(effect->initialDelay >= 0, "the reported latency is not negative");
  }

  bool isParameter(VstInt32 index) const { return index >= 0 && index < numParams; }

  void step(Step s) {
    switch (s) {
    case Step::dispatch:
      dispatchStep();
      break;
    case Step::setParameter: {
      const VstInt32 index = readInt32(in);
      const float value = readFloat(in);
      if (tracing)
        std::fprintf(stderr, "setParameter %d %g\n", index, static_cast<double>(value));
      effect->setParameter(effect, index, value);
      break;
    }
    case Step::getParameter:
      checkParameter(readInt32(in));
      break;
    case Step::processReplacing:
    case Step::process:
      processStep(s == Step::processReplacing);
      break;
    case Step::setProgram:
      dispatch(effSetProgram, 0, readIntPtr(in));
      dispatch(effGetProgram);
      break;
    case Step::setSampleRate:
      dispatch(effSetSampleRate, 0, 0, nullptr, readFloat(in));
      break;
    case Step::setBlockSize:
      dispatch(effSetBlockSize, 0, readIntPtr(in));
      break;
    default:
      dispatch(effMainsChanged, 0, readIntPtr(in));
      break;
    }
  }

  void dispatchStep() {
    const VstInt32 opcode = in.byte() % host_script::kOpcodeSpan + host_script::kFirstOpcode;
    const VstInt32 index = readInt32(in);
    const CallArguments arguments(opcode, in);
    const float opt = readFloat(in);
    if (opcode == effClose) {
      // The host lets go of this effect and starts another.
      close();
      open();
      return;
    }
    const VstIntPtr answer = dispatch(opcode, index, arguments.value(), arguments.ptr(), opt);
    arguments.check(answer, isParameter(index));
  }

  void checkParameter(VstInt32 index) {
    const float value = effect->getParameter(effect, index);
    fuzzCheck(std::isfinite(value), "a parameter reads back as a number");
  }

  void processStep(bool replacing) {
    const int largest = std::clamp(announcedBlock, 0, kLargestBlock);
    AudioBlock block(in, framesLeft > 0 ? largest : 0, replacing);
    framesLeft -= block.frames();
    if (tracing)
      block.trace(replacing ? "processReplacing" : "process");
    const auto entry = replacing ? effect->processReplacing : effect->process;
    entry(effect, block.inputs(), block.outputs(), block.frames());
    block.checkOutputs();
  }

  // What a host's parameter window reads: every parameter's value and texts, and the program.
  void readEverything() {
    for (VstInt32 i = 0; i < numParams; ++i) {
      checkParameter(i);
      for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
        readText(opcode, i);
    }
    readText(effGetProgramName, 0);
    dispatch(effGetProgram);
  }

  void readText(VstInt32 opcode, VstInt32 index) {
    const HostBlock text(argumentsOf(opcode).bytes, kUnterminated);
    dispatch(opcode, index, 0, text.data());
    fuzzCheck(text.terminated(), "a text ends within the host's buffer");
  }

  FuzzBytes &in;
  EffectFactory create;
  AEffect *effect = nullptr;
  VstInt32 numParams = 0;
  VstInt32 numPrograms = 0;
  VstInt32 announcedBlock = 1024;
  long framesLeft = kFrameBudget;
};

} // namespace

void runHostSession(const std::uint8_t *data, std::size_t size, EffectFactory create) {
  FuzzBytes in(data, size);
  HostSession session(in, create);
  session.run();
}
