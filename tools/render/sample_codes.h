// The 8-bit sample encodings WAV files carry besides linear PCM: unsigned 8-bit PCM and the
// telephone companding laws A-law and mu-law. Each decodes to a value on the 16-bit PCM grid.
#pragma once

#include <cstdint>

// -32768..32512; 128 is silence.
int decodeUnsigned8(std::uint8_t code);
// -32256..32256, the standard 16-bit expansion of the 13-bit linear value.
int decodeALaw(std::uint8_t code);
// -32124..32124, the standard 16-bit expansion of the 14-bit linear value.
int decodeMuLaw(std::uint8_t code);
