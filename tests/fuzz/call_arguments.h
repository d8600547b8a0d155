// The `value` and `ptr` of one dispatcher call as a host passes them, decoded from the fuzz
// input, and the promises about what the effect may do with them.
#pragma once

#include "fuzz_bytes.h"
#include "host_block.h"
#include "opcode_arguments.h"

class CallArguments {
public:
  // Reads the value, then the pointer, in the order host_script.h gives.
  CallArguments(VstInt32 opcode, FuzzBytes &in);

  VstIntPtr value() const { return valueArgument; }
  void *ptr() const { return ptrBlock.data(); }

  // Aborts when the effect broke a promise about the memory it was given: texts end within their
  // buffer, nothing is written where the answer says nothing was, pointers handed back are
  // readable. `indexInRange`: the index names one of the effect's parameters.
  void check(VstIntPtr answer, bool indexInRange) const;

private:
  HostBlock readPointer(Passed kind, std::size_t bytes, FuzzBytes &in);
  void checkText(VstIntPtr answer, bool indexInRange) const;
  void checkSlot(VstIntPtr answer) const;

  VstInt32 opcode;
  OpcodeArguments passed;
  VstIntPtr valueArgument = 0;
  HostBlock valueBlock;
  HostBlock ptrBlock;
};
