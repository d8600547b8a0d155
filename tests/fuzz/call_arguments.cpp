#include "call_arguments.h"

#include <cstring>

#include "fuzz_check.h"
#include "fuzz_values.h"
#include "host_script.h"

namespace {

// Text buffers start without a terminator, so that a text the effect leaves unfinished shows.
constexpr std::uint8_t kTextFill = 0xA5;
// Records start zeroed: a valid empty record of every kind, and null in every pointer slot.
constexpr std::uint8_t kRecordFill = 0;
// A few bytes standing for a host's window or an argument the opcode does not use.
constexpr std::size_t kDummyBytes = 16;

HostBlock arrangementBlock(FuzzBytes &in) {
  const int channels = in.byte() % (host_script::kMaxSpeakers + 1);
  HostBlock block(kSpeakerArrangementHeader + sizeof(VstSpeakerProperties) * channels, 0);
  auto *arrangement = static_cast<VstSpeakerArrangement *>(block.data());
  arrangement->numChannels = channels;
  block.seal();
  return block;
}

// Reads every byte of `bytes` at `p`, so that AddressSanitizer checks the effect's pointer.
unsigned readAll(const void *p, std::size_t bytes) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < bytes; ++i)
    sum += static_cast<const volatile unsigned char *>(p)[i];
  return sum;
}

void readArrangement(const VstSpeakerArrangement *arrangement) {
  if (!arrangement)
    return;
  fuzzCheck(arrangement->numChannels >= 0, "an arrangement handed to the host has channels");
  readAll(arrangement,
          kSpeakerArrangementHeader + sizeof(VstSpeakerProperties) * arrangement->numChannels);
}

} // namespace

CallArguments::CallArguments(VstInt32 opcode, FuzzBytes &in)
    : opcode(opcode), passed(argumentsOf(opcode)) {
  if (passed.value == Passed::nothing) {
    valueArgument = readIntPtr(in);
  } else if (in.byte() % 2 == 0) {
    valueBlock = passed.value == Passed::arrangement ? arrangementBlock(in)
                                                     : HostBlock(sizeof(void *), kRecordFill);
    valueArgument = reinterpret_cast<VstIntPtr>(valueBlock.data());
  }
  if (in.byte() % 2 == 0)
    ptrBlock = readPointer(passed.ptr, passed.bytes, in);
  // A host hands over a chunk together with its true size.
  if (passed.ptr == Passed::chunk && ptrBlock.data())
    valueArgument = static_cast<VstIntPtr>(ptrBlock.size());
}

HostBlock CallArguments::readPointer(Passed kind, std::size_t bytes, FuzzBytes &in) {
  switch (kind) {
  case Passed::textOut:
    return HostBlock(bytes, kTextFill);
  case Passed::textIn: {
    const std::size_t length = in.byte() % (host_script::kMaxTextIn + 1);
    HostBlock text(length + 1, 0);
    in.copy(text.data(), length);
    text.seal();
    return text;
  }
  case Passed::slot:
    return HostBlock(sizeof(void *), kRecordFill);
  case Passed::record:
    return HostBlock(bytes, kRecordFill);
  case Passed::arrangement:
    return arrangementBlock(in);
  case Passed::chunk:
    return HostBlock(in.u16() % (host_script::kMaxChunk + 1), kRecordFill);
  default:
    return HostBlock(kDummyBytes, kRecordFill);
  }
}

void CallArguments::check(VstIntPtr answer, bool indexInRange) const {
  switch (passed.ptr) {
  case Passed::textOut:
    checkText(answer, indexInRange);
    break;
  case Passed::record:
    if (answer <= 0)
      fuzzCheck(ptrBlock.untouched(), "a record the effect did not fill is left as it was");
    break;
  case Passed::slot:
    checkSlot(answer);
    break;
  case Passed::nothing:
  case Passed::window:
  case Passed::arrangement:
  case Passed::chunk:
    fuzzCheck(ptrBlock.untouched(), "memory the host lends for reading is not written");
    break;
  default:
    break;
  }
  if (passed.value == Passed::arrangement)
    fuzzCheck(valueBlock.untouched(), "an arrangement the host passes in is not written");
}

void CallArguments::checkText(VstIntPtr answer, bool indexInRange) const {
  if (!ptrBlock.data())
    return;
  bool written;
  switch (opcode) {
  case effGetProgramName:
    written = true;
    break;
  case effGetParamLabel:
  case effGetParamDisplay:
  case effGetParamName:
    written = indexInRange;
    break;
  default:
    written = answer != 0;
    break;
  }
  if (written)
    fuzzCheck(ptrBlock.terminated(), "a text ends within the host's buffer");
  else
    fuzzCheck(ptrBlock.untouched(), "a text the effect does not answer leaves the buffer alone");
}

void CallArguments::checkSlot(VstIntPtr answer) const {
  if (!ptrBlock.data() || answer == 0)
    return;
  void *stored;
  std::memcpy(&stored, ptrBlock.data(), sizeof stored);
  switch (opcode) {
  case effGetChunk:
    fuzzCheck(answer > 0 && stored, "a chunk's size comes with its data");
    readAll(stored, static_cast<std::size_t>(answer));
    break;
  case effEditGetRect:
    if (stored)
      readAll(stored, sizeof(ERect));
    break;
  case effGetSpeakerArrangement: {
    readArrangement(static_cast<VstSpeakerArrangement *>(stored));
    if (valueBlock.data()) {
      void *input;
      std::memcpy(&input, valueBlock.data(), sizeof input);
      readArrangement(static_cast<VstSpeakerArrangement *>(input));
    }
    break;
  }
  default:
    break;
  }
}
