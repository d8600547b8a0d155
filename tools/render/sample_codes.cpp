#include "sample_codes.h"

int decodeUnsigned8(std::uint8_t code) { return (code - 128) * 256; }

int decodeALaw(std::uint8_t code) {
  // Even bits are stored inverted, so that silence is not a run of zero bits on a line.
  const int value = code ^ 0x55;
  const int segment = (value >> 4) & 7;
  int magnitude = (value & 0x0F) << 4;
  magnitude = segment == 0 ? magnitude + 8 : (magnitude + 0x108) << (segment - 1);
  return value & 0x80 ? magnitude : -magnitude;
}

int decodeMuLaw(std::uint8_t code) {
  // Every bit is stored inverted; 0x84 is the bias that makes each segment start at zero.
  const int value = ~code & 0xFF;
  const int magnitude = (((value & 0x0F) << 3) + 0x84) << ((value >> 4) & 7);
  return value & 0x80 ? 0x84 - magnitude : magnitude - 0x84;
}
