// The 8-bit encodings against the companding laws' own definition: each code word names a sign,
// a segment (the exponent) and a step within it, and decodes to the middle of its interval.
#include <gtest/gtest.h>

#include "sample_codes.h"

namespace {

// A-law: 13-bit linear values, in 16-bit units (times 8). Segment 0 is linear with step 2; each
// further segment doubles the step and starts where the previous one ended (at 32 << (s - 1)).
int aLawReference(int code) {
  const int bits = code ^ 0xD5; // even bits are inverted, and a set sign bit means negative
  const int segment = (bits >> 4) & 7, step = bits & 15;
  const int middle = segment == 0 ? 2 * step + 1 : (2 * step + 33) << (segment - 1);
  return (bits & 0x80 ? -middle : middle) * 8;
}

// mu-law: 14-bit linear values, in 16-bit units (times 4): (2 * step + 33) * 2^segment - 33,
// so that segment 0 starts at 0.
int muLawReference(int code) {
  const int bits = code ^ 0xFF;
  const int segment = (bits >> 4) & 7, step = bits & 15;
  const int middle = ((2 * step + 33) << segment) - 33;
  return (bits & 0x80 ? -middle : middle) * 4;
}

TEST(SampleCodes, ALawMatchesTheStandardForEveryCode) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(decodeALaw(static_cast<std::uint8_t>(code)), aLawReference(code));
    // The sign bit alone tells the two halves apart.
    EXPECT_EQ(decodeALaw(static_cast<std::uint8_t>(code)),
              -decodeALaw(static_cast<std::uint8_t>(code ^ 0x80)));
  }
  EXPECT_EQ(decodeALaw(0xD5), 8); // the smallest steps either side of zero
  EXPECT_EQ(decodeALaw(0x55), -8);
  EXPECT_EQ(decodeALaw(0xAA), 32256); // the extremes
  EXPECT_EQ(decodeALaw(0x2A), -32256);
  // Larger magnitudes in order of the code words, once the inverted bits are undone.
  for (int magnitude = 1; magnitude < 128; ++magnitude)
    EXPECT_GT(decodeALaw(static_cast<std::uint8_t>((0x80 | magnitude) ^ 0x55)),
              decodeALaw(static_cast<std::uint8_t>((0x80 | (magnitude - 1)) ^ 0x55)));
}

TEST(SampleCodes, MuLawMatchesTheStandardForEveryCode) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(decodeMuLaw(static_cast<std::uint8_t>(code)), muLawReference(code));
    EXPECT_EQ(decodeMuLaw(static_cast<std::uint8_t>(code)),
              -decodeMuLaw(static_cast<std::uint8_t>(code ^ 0x80)));
  }
  EXPECT_EQ(decodeMuLaw(0xFF), 0); // both zeros
  EXPECT_EQ(decodeMuLaw(0x7F), 0);
  EXPECT_EQ(decodeMuLaw(0xFE), 8);
  EXPECT_EQ(decodeMuLaw(0x80), 32124);
  EXPECT_EQ(decodeMuLaw(0x00), -32124);
  for (int code = 0x81; code < 0x100; ++code) // magnitudes grow as the code words fall
    EXPECT_LT(decodeMuLaw(static_cast<std::uint8_t>(code)),
              decodeMuLaw(static_cast<std::uint8_t>(code - 1)));
}

TEST(SampleCodes, Unsigned8BitIsOffsetBinary) {
  EXPECT_EQ(decodeUnsigned8(128), 0);
  EXPECT_EQ(decodeUnsigned8(0), -32768);
  EXPECT_EQ(decodeUnsigned8(255), 32512);
  for (int code = 1; code < 256; ++code)
    EXPECT_EQ(decodeUnsigned8(static_cast<std::uint8_t>(code)) -
                  decodeUnsigned8(static_cast<std::uint8_t>(code - 1)),
              256);
}

} // namespace
