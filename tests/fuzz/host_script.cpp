#include "host_script.h"

#include <cstring>

#include "opcode_arguments.h"

namespace host_script {

void HostScript::raw(std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void HostScript::int32(VstInt32 value) {
  if (value >= -128 && value <= 127) {
    out.push_back(static_cast<std::uint8_t>(IntForm::small));
    out.push_back(static_cast<std::uint8_t>(value));
  } else {
    out.push_back(static_cast<std::uint8_t>(IntForm::raw));
    raw(static_cast<std::uint32_t>(value), 4);
  }
}

void HostScript::intptr(VstIntPtr value) {
  if (value >= -128 && value <= 127) {
    out.push_back(static_cast<std::uint8_t>(IntForm::small));
    out.push_back(static_cast<std::uint8_t>(value));
  } else {
    out.push_back(static_cast<std::uint8_t>(IntForm::raw));
    raw(static_cast<std::uint64_t>(value), 8);
  }
}

void HostScript::real(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  out.push_back(static_cast<std::uint8_t>(FloatForm::raw));
  raw(bits, 4);
}

void HostScript::pointerFor(VstInt32 opcode, const char *text) {
  out.push_back(0); // a buffer, not null
  switch (argumentsOf(opcode).ptr) {
  case Passed::textIn: {
    const std::size_t length = std::strlen(text) % (kMaxTextIn + 1);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), text, text + length);
    break;
  }
  case Passed::arrangement:
    out.push_back(2);
    break;
  case Passed::chunk:
    raw(16, 2);
    break;
  default:
    break;
  }
}

HostScript &HostScript::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt) {
  step(Step::dispatch);
  out.push_back(static_cast<std::uint8_t>(opcode - kFirstOpcode));
  int32(index);
  if (argumentsOf(opcode).value == Passed::nothing)
    intptr(value);
  else
    out.push_back(1); // null
  out.push_back(1);   // null
  real(opt);
  return *this;
}

HostScript &HostScript::dispatchWith(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                                     const char *text) {
  step(Step::dispatch);
  out.push_back(static_cast<std::uint8_t>(opcode - kFirstOpcode));
  int32(index);
  const OpcodeArguments arguments = argumentsOf(opcode);
  if (arguments.value == Passed::nothing) {
    intptr(value);
  } else {
    out.push_back(0);
    if (arguments.value == Passed::arrangement)
      out.push_back(2);
  }
  pointerFor(opcode, text);
  real(opt);
  return *this;
}

HostScript &HostScript::setParameter(VstInt32 index, float value) {
  step(Step::setParameter);
  int32(index);
  real(value);
  return *this;
}

HostScript &HostScript::getParameter(VstInt32 index) {
  step(Step::getParameter);
  int32(index);
  return *this;
}

HostScript &HostScript::setProgram(VstIntPtr program) {
  step(Step::setProgram);
  intptr(program);
  return *this;
}

HostScript &HostScript::setSampleRate(float rate) {
  step(Step::setSampleRate);
  real(rate);
  return *this;
}

HostScript &HostScript::setBlockSize(VstIntPtr frames) {
  step(Step::setBlockSize);
  intptr(frames);
  return *this;
}

HostScript &HostScript::mainsChanged(VstIntPtr on) {
  step(Step::mainsChanged);
  intptr(on);
  return *this;
}

void HostScript::channel(const Channel &c) {
  out.push_back(static_cast<std::uint8_t>(c.kind));
  switch (c.kind) {
  case Signal::constant:
    real(c.amplitude);
    break;
  case Signal::sine:
    real(c.amplitude);
    out.push_back(static_cast<std::uint8_t>(c.detail));
    break;
  case Signal::noise:
    real(c.amplitude);
    raw(c.detail, 4);
    break;
  case Signal::raw:
    out.push_back(static_cast<std::uint8_t>(c.raw.size()));
    for (float sample : c.raw) {
      std::uint32_t bits;
      std::memcpy(&bits, &sample, sizeof bits);
      raw(bits, 4);
    }
    break;
  default:
    break;
  }
  out.push_back(static_cast<std::uint8_t>(c.hostile.size()));
  for (const auto &[position, value] : c.hostile) {
    raw(position, 2);
    real(value);
  }
}

void HostScript::block(Step s, std::uint16_t frames, const Channel &left, const Channel &right,
                       Layout layout) {
  step(s);
  raw(frames, 2);
  out.push_back(static_cast<std::uint8_t>(layout));
  channel(left);
  out.push_back(1); // the right channel has its own signal
  channel(right);
}

HostScript &HostScript::processReplacing(std::uint16_t frames, const Channel &left,
                                         const Channel &right, Layout layout) {
  block(Step::processReplacing, frames, left, right, layout);
  return *this;
}

HostScript &HostScript::process(std::uint16_t frames, const Channel &left, const Channel &right) {
  block(Step::process, frames, left, right, Layout::separate);
  return *this;
}

} // namespace host_script
