#include "dispatcher_seeds.h"

#include <limits>

#include "host_script.h"

namespace {

using host_script::HostScript;
using host_script::Layout;
using host_script::Signal;
using Channel = HostScript::Channel;

// Covers both plug-ins' parameter counts and one past them.
constexpr VstInt32 kParameters = 8;
constexpr VstInt32 kPrograms = 8;

Channel sine(float amplitude, std::uint32_t halfPeriod) {
  Channel c;
  c.kind = Signal::sine;
  c.amplitude = amplitude;
  c.detail = halfPeriod;
  return c;
}

Channel noise(float amplitude, std::uint32_t seed) {
  Channel c;
  c.kind = Signal::noise;
  c.amplitude = amplitude;
  c.detail = seed;
  return c;
}

// A host's usual start: open, rate, block size, resume.
HostScript started(float rate, VstIntPtr block) {
  HostScript s;
  s.dispatch(effOpen).setSampleRate(rate).setBlockSize(block).mainsChanged(1);
  return s;
}

std::vector<std::uint8_t> playThroughEveryProgram() {
  HostScript s = started(44100.0f, 512);
  for (VstInt32 p = 0; p < kPrograms; ++p) {
    s.setProgram(p).dispatchWith(effGetProgramName, 0, 0, 0.0f);
    for (VstInt32 i = 0; i < kParameters; ++i)
      s.dispatchWith(effGetParamDisplay, i, 0, 0.0f);
    s.processReplacing(512, sine(0.9f, 20), noise(0.5f, p));
  }
  s.mainsChanged(0);
  return s.bytes();
}

std::vector<std::uint8_t> automateEveryParameter() {
  HostScript s = started(48000.0f, 256);
  for (VstInt32 i = 0; i < kParameters; ++i)
    for (float v : {0.0f, 0.4999f, 0.5f, 1.0f}) {
      s.setParameter(i, v).getParameter(i).dispatchWith(effGetParamDisplay, i, 0, 0.0f);
      s.processReplacing(256, sine(1.0f, 7), sine(-1.0f, 13));
    }
  return s.bytes();
}

std::vector<std::uint8_t> everyOpcodeOnce() {
  HostScript s = started(44100.0f, 64);
  for (VstInt32 opcode = host_script::kFirstOpcode;
       opcode < host_script::kFirstOpcode + host_script::kOpcodeSpan; ++opcode)
    if (opcode != effClose)
      s.dispatchWith(opcode, 1, 1, 1.0f, "TORVEL");
  s.setSampleRate(44100.0f).setBlockSize(64).processReplacing(64, noise(0.25f, 3), noise(0.25f, 4));
  return s.bytes();
}

std::vector<std::uint8_t> hostileNumbers() {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float huge = std::numeric_limits<float>::max();
  HostScript s = started(44100.0f, 1024);
  for (VstInt32 i = 0; i < kParameters; ++i)
    for (float v : {nan, inf, -inf, 1e30f, -1e30f, -1.0f, 2.0f})
      s.setParameter(i, v);
  for (float rate : {nan, 0.0f, -44100.0f, inf, 1e9f, 1.0f})
    s.setSampleRate(rate);
  Channel loud;
  loud.kind = Signal::constant;
  loud.amplitude = huge;
  loud.hostile = {{0, nan}, {1, inf}, {2, 1e-40f}};
  s.processReplacing(1024, loud, sine(1e30f, 3)).setProgram(-1).setProgram(kPrograms);
  s.dispatch(effSetBlockSizeAndSampleRate, 0, 32, nan).processReplacing(32, loud, loud);
  return s.bytes();
}

std::vector<std::uint8_t> namesAndTexts() {
  HostScript s = started(44100.0f, 128);
  s.dispatchWith(effSetProgramName, 0, 0, 0.0f, "a program name far longer than the field");
  s.dispatchWith(effGetProgramName, 0, 0, 0.0f);
  s.dispatchWith(effSetProgramName, 0, 0, 0.0f, "Init");
  s.dispatchWith(effGetProgramName, 0, 0, 0.0f);
  for (VstInt32 i : {-1, 0, kPrograms - 1, kPrograms})
    s.dispatchWith(effGetProgramNameIndexed, i, 0, 0.0f);
  for (VstInt32 i : {-1, kParameters, 1 << 20})
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
      s.dispatchWith(opcode, i, 0, 0.0f);
  for (VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString,
                          effGetErrorText, effShellGetNextPlugin})
    s.dispatchWith(opcode, 0, 0, 0.0f);
  s.dispatchWith(effCanDo, 0, 0, 0.0f, "receiveVstEvents");
  return s.bytes();
}

std::vector<std::uint8_t> ratesAndBlocks() {
  HostScript s;
  for (float rate : {8000.0f, 768000.0f, 22050.0f, 96000.0f}) {
    s.mainsChanged(0).setSampleRate(rate).setBlockSize(4096).mainsChanged(1);
    s.setParameter(6, 1.0f).processReplacing(4096, sine(0.7f, 100), sine(0.7f, 101));
    s.setParameter(6, 0.0f).processReplacing(1, sine(0.7f, 1), sine(0.7f, 1));
    s.processReplacing(3, noise(1.0f, 9), noise(1.0f, 9), Layout::inPlace);
    s.process(77, noise(1.0f, 10), noise(0.1f, 11));
  }
  return s.bytes();
}

std::vector<std::uint8_t> closeAndStartAgain() {
  HostScript s = started(44100.0f, 512);
  s.processReplacing(512, sine(0.5f, 30), sine(0.5f, 30)).dispatch(effClose);
  s.setProgram(3).processReplacing(512, sine(0.5f, 30), sine(0.5f, 30), Layout::swapped);
  return s.bytes();
}

} // namespace

SeedCorpus dispatcherSeeds() {
  return {playThroughEveryProgram(), automateEveryParameter(), everyOpcodeOnce(),
          hostileNumbers(),          namesAndTexts(),          ratesAndBlocks(),
          closeAndStartAgain()};
}
