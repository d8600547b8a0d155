#include "fuzz_values.h"

#include <cstdint>
#include <limits>

#include "host_script.h"

namespace {

using host_script::FloatForm;
using host_script::IntForm;

constexpr std::int64_t kEdgeIntegers[] = {
    std::numeric_limits<std::int64_t>::min(),
    std::numeric_limits<std::int32_t>::min(),
    -1024,
    -2,
    -1,
    0,
    1,
    2,
    4,
    5,
    7,
    8,
    9,
    23,
    24,
    64,
    1024,
    4096,
    8192,
    65536,
    std::numeric_limits<std::int32_t>::max(),
    // Values that change when cut to 32 bits.
    std::int64_t{1} << 32,
    (std::int64_t{1} << 32) + 3,
    std::numeric_limits<std::int64_t>::max(),
};

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kEdgeFloats[] = {
    0.0f,
    -0.0f,
    0.5f,
    0.4999f,
    1.0f,
    -1.0f,
    2.0f,
    -0.5f,
    std::numeric_limits<float>::quiet_NaN(),
    -std::numeric_limits<float>::quiet_NaN(),
    kInfinity,
    -kInfinity,
    std::numeric_limits<float>::max(),
    -std::numeric_limits<float>::max(),
    std::numeric_limits<float>::min(),
    std::numeric_limits<float>::denorm_min(),
    -1e-40f,
    1e-20f,
    1e30f,
    -1e30f,
    1e38f,
    1e9f,
    7999.0f,
    8000.0f,
    22050.0f,
    44100.0f,
    48000.0f,
    96000.0f,
    768000.0f,
    768001.0f,
};

template <class T, std::size_t N> T pick(const T (&table)[N], std::uint8_t choice) {
  return table[choice % N];
}

IntForm intForm(FuzzBytes &in) {
  return static_cast<IntForm>(in.byte() % static_cast<int>(IntForm::count));
}

} // namespace

VstInt32 readInt32(FuzzBytes &in) {
  switch (intForm(in)) {
  case IntForm::small:
    return static_cast<std::int8_t>(in.byte());
  case IntForm::edge:
    return static_cast<VstInt32>(pick(kEdgeIntegers, in.byte()));
  default:
    return static_cast<VstInt32>(in.u32());
  }
}

VstIntPtr readIntPtr(FuzzBytes &in) {
  switch (intForm(in)) {
  case IntForm::small:
    return static_cast<std::int8_t>(in.byte());
  case IntForm::edge:
    return static_cast<VstIntPtr>(pick(kEdgeIntegers, in.byte()));
  default:
    return static_cast<VstIntPtr>(in.unsignedOf(sizeof(VstIntPtr)));
  }
}

float readFloat(FuzzBytes &in) {
  switch (static_cast<FloatForm>(in.byte() % static_cast<int>(FloatForm::count))) {
  case FloatForm::edge:
    return pick(kEdgeFloats, in.byte());
  case FloatForm::unit:
    return in.byte() / 254.0f;
  case FloatForm::raw:
    return in.rawFloat();
  default:
    return in.u16() * 16.0f;
  }
}
