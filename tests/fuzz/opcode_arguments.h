// What a host passes through `ptr` and `value` with each dispatcher opcode, and how large the
// buffers are that it promises for the texts an effect writes back.
#pragma once

#include <cstddef>

#include "effect/plugin_interface.h"

enum class Passed : unsigned char {
  nothing,     // no pointer; a host may still pass one, which the effect must leave alone
  textOut,     // a text buffer of `bytes` the effect writes into
  textIn,      // a zero-terminated text the host wrote
  slot,        // where the effect stores a pointer (an address of `bytes` = one pointer)
  record,      // a record the effect may fill; the framework leaves its layout to each side
  arrangement, // a speaker arrangement record
  chunk,       // `value` bytes of data
  window,      // the host's parent window
};

struct OpcodeArguments {
  Passed ptr = Passed::nothing;
  std::size_t bytes = 0;
  Passed value = Passed::nothing; // `slot` or `arrangement` where `value` carries a pointer
};

// Text sizes the host promises, terminator included.
constexpr std::size_t kProgramNameBytes = 24;
// Labels and displays: 8 characters.
constexpr std::size_t kParameterTextBytes = 9;
// Names get more room than labels and displays: DW5K's "Threshold" has 9 characters.
constexpr std::size_t kParameterNameBytes = 64;
constexpr std::size_t kEffectNameBytes = 32;
constexpr std::size_t kVendorTextBytes = 64; // vendor and product strings
constexpr std::size_t kErrorTextBytes = 256;
constexpr std::size_t kShellNameBytes = 64;
// Records whose fields only the host and a plug-in that fills them know: a block larger than
// any of them, which the effect must leave untouched when it answers 0.
constexpr std::size_t kOpaqueRecordBytes = 512;

OpcodeArguments argumentsOf(VstInt32 opcode);
