// Double-precision exp, log, log10 and pow for per-sample gain computation. The C library of the
// Windows builds takes 25-80 ns a call for these; the versions here are inline, use two small
// tables (2 KB and 3 KB) and give the same bits on every target, because they use nothing but
// IEEE double additions and multiplications and integer bit operations.
//
// Errors stay below 0.55 ulp: within a hair of correct rounding, without promising it.
// Bit-identical results need every operation rounded to double, so these must not be compiled with
// contraction into fused multiply-adds (the project builds without FMA, and GCC does not contract
// in ISO C++ mode) nor with -ffast-math or x87 arithmetic.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace fast_math_detail {

inline std::uint64_t toBits(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

inline double fromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// Sign and biased exponent.
inline std::uint32_t top12(std::uint64_t bits) { return static_cast<std::uint32_t>(bits >> 52); }

// Clears the low 27 mantissa bits: the product of two such numbers is exact.
inline double upperHalf(double x) { return fromBits(toBits(x) & (~std::uint64_t{0} << 27)); }

// --- exp -----------------------------------------------------------------------------------------
// e^x = 2^(k/N) * e^r with k = round(x * N / ln2) and |r| <= ln2 / (2N); 2^(k/N) comes from a table
// and e^r - 1 from a short polynomial.

constexpr int kExpTableBits = 7;
constexpr int kExpN = 1 << kExpTableBits;
constexpr double kInvLn2N = 0x1.71547652b82fep+7;
// ln2 / N in two parts; the first has so few bits that k times it is exact for |k| < 2^18.
constexpr double kNegLn2hiN = -0x1.62e42fefc0000p-8;
constexpr double kNegLn2loN = 0x1.c610ca86c3899p-44;
// Adding it rounds a value below 2^51 in magnitude to an integer that lands in the low bits.
constexpr double kRoundShift = 0x1.8p52;
// (e^r - 1 - r) / r^2 on |r| <= 0.00276 (a little past ln2 / 2N, for the tail pow adds to r):
// relative error 2^-45, so 2^-62 for e^r.
constexpr double kExpC2 = 0x1.fffffffffff4ap-2;
constexpr double kExpC3 = 0x1.5555555555521p-3;
constexpr double kExpC4 = 0x1.55555b054a7b1p-5;
constexpr double kExpC5 = 0x1.111114510adc1p-7;

struct ExpEntry {
  double tail;
  std::uint64_t bits;
};

// 2^(j/N) = fromBits(bits + (j << 45)) * (1 + tail). The index is taken out of the exponent field
// so that adding k << 45 for any k puts floor(k / N) into it.
inline constexpr ExpEntry kExpTable[kExpN] = {
    {0x0.0p+0, 0x3ff0000000000000},
    {0x1.b3b4f1a88bf6ep-54, 0x3feff63da9fb3335},
    {-0x1.160139cd8dc5dp-56, 0x3fefec9a3e778061},
    {-0x1.05e7a108766d1p-54, 0x3fefe315e86e7f85},
    {0x1.cd2523567f613p-55, 0x3fefd9b0d3158574},
    {-0x1.bce8023f98efap-55, 0x3fefd06b29ddf6de},
    {0x1.0f74e61e6c861p-57, 0x3fefc74518759bc8},
    {0x1.0a3e45b33d399p-54, 0x3fefbe3ecac6f383},
    {0x1.79aa65d837b6dp-54, 0x3fefb5586cf9890f},
    {0x1.eb51a92fdeffcp-55, 0x3fefac922b7247f7},
    {0x1.ebe3d702f9cd1p-60, 0x3fefa3ec32d3d1a2},
    {-0x1.a033489906e0bp-57, 0x3fef9b66affed31b},
    {-0x1.556522a2fbd0ep-54, 0x3fef9301d0125b51},
    {-0x1.080ef8c4eea55p-58, 0x3fef8abdc06c31cc},
    {-0x1.1c923b9d5f416p-54, 0x3fef829aaea92de0},
    {0x1.0d3e3e95c55afp-55, 0x3fef7a98c8a58e51},
    {-0x1.01b15eaa59348p-55, 0x3fef72b83c7d517b},
    {-0x1.f1ff055de323dp-55, 0x3fef6af9388c8dea},
    {0x1.b898c3f1353bfp-55, 0x3fef635beb6fcb75},
    {-0x1.6d99c7611eb26p-54, 0x3fef5be084045cd4},
    {0x1.aecf73e3a2f60p-54, 0x3fef54873168b9aa},
    {-0x1.fe782cb86389dp-55, 0x3fef4d5022fcd91d},
    {0x1.a6f4144a6c38dp-55, 0x3fef463b88628cd6},
    {0x1.07a05b0e4047dp-55, 0x3fef3f49917ddc96},
    {0x1.68efde3a8a894p-54, 0x3fef387a6e756238},
    {0x1.75e18f274487dp-55, 0x3fef31ce4fb2a63f},
    {0x1.0472b981fe7f2p-55, 0x3fef2b4565e27cdd},
    {-0x1.6b87b3f71085ep-54, 0x3fef24dfe1f56381},
    {0x1.2f7e16d09ab31p-55, 0x3fef1e9df51fdee1},
    {-0x1.d219b1a6fbffap-60, 0x3fef187fd0dad990},
    {0x1.b3782720c0ab4p-55, 0x3fef1285a6e4030b},
    {0x1.e149289cecb8fp-57, 0x3fef0cafa93e2f56},
    {0x1.34d754db0abb6p-55, 0x3fef06fe0a31b715},
    {0x1.64201e2ac744cp-55, 0x3fef0170fc4cd831},
    {0x1.fdd395dd3f84ap-55, 0x3feefc08b26416ff},
    {-0x1.6a3803b8e5b04p-55, 0x3feef6c55f929ff1},
    {-0x1.24aedcc4b5068p-54, 0x3feef1a7373aa9cb},
    {-0x1.907f81b512d8ep-54, 0x3feeecae6d05d866},
    {-0x1.1d1e83e9436d2p-56, 0x3feee7db34e59ff7},
    {-0x1.91919b3ce1b15p-54, 0x3feee32dc313a8e5},
    {0x1.59f48a72a4c6dp-55, 0x3feedea64c123422},
    {-0x1.312607a28698ap-54, 0x3feeda4504ac801c},
    {-0x1.8a78f4817895bp-58, 0x3feed60a21f72e2a},
    {-0x1.c2c9b67499a1bp-56, 0x3feed1f5d950a897},
    {0x1.363ed60c2ac11p-59, 0x3feece086061892d},
    {0x1.666093b0664efp-54, 0x3feeca41ed1d0057},
    {0x1.ecce1daa10379p-57, 0x3feec6a2b5c13cd0},
    {0x1.3ff8e3f0f1230p-54, 0x3feec32af0d7d3de},
    {0x1.690cebb7aafb0p-56, 0x3feebfdad5362a27},
    {0x1.31dbdeb54e077p-54, 0x3feebcb299fddd0d},
    {-0x1.f94340071a38ep-55, 0x3feeb9b2769d2ca7},
    {-0x1.7deccdc93a349p-55, 0x3feeb6daa2cf6642},
    {-0x1.8dec6bd0f385fp-56, 0x3feeb42b569d4f82},
    {-0x1.61246ec7b5cf6p-55, 0x3feeb1a4ca5d920f},
    {0x1.3350518fdd78ep-54, 0x3feeaf4736b527da},
    {0x1.b98b72f8a9b05p-56, 0x3feead12d497c7fd},
    {0x1.063e1e21c5409p-54, 0x3feeab07dd485429},
    {0x1.4c7855019c6eap-60, 0x3feea9268a5946b7},
    {0x1.432e62b64c035p-54, 0x3feea76f15ad2148},
    {-0x1.ce44a6199769fp-55, 0x3feea5e1b976dc09},
    {-0x1.c33c53bef4da8p-55, 0x3feea47eb03a5585},
    {-0x1.45378892be9aep-55, 0x3feea34634ccc320},
    {-0x1.3cedd78565858p-54, 0x3feea23882552225},
    {0x1.710aa807e1964p-58, 0x3feea155d44ca973},
    {-0x1.3b3efbf5e2228p-54, 0x3feea09e667f3bcd},
    {-0x1.a12ad8734b982p-57, 0x3feea012750bdabf},
    {-0x1.367efb86da9eep-57, 0x3fee9fb23c651a2f},
    {-0x1.0dc3d54e08851p-55, 0x3fee9f7df9519484},
    {-0x1.81f647e5a3ecfp-56, 0x3fee9f75e8ec5f74},
    {-0x1.6ee4ac08b7db0p-55, 0x3fee9f9a48a58174},
    {-0x1.619321e55e68ap-55, 0x3fee9feb564267c9},
    {0x1.09ccb5e09d4d3p-54, 0x3feea0694fde5d3f},
    {-0x1.b32dcb94da51dp-56, 0x3feea11473eb0187},
    {0x1.4ecfd5467c06bp-54, 0x3feea1ed0130c132},
    {0x1.5ebe1abd66c55p-57, 0x3feea2f336cf4e62},
    {-0x1.8a1c52fb3cf42p-55, 0x3feea427543e1a12},
    {-0x1.369b6f13b3734p-54, 0x3feea589994cce13},
    {-0x1.05e843a19ff1ep-55, 0x3feea71a4623c7ad},
    {-0x1.4d450d872576ep-54, 0x3feea8d99b4492ed},
    {0x1.0ad675b0e8a00p-54, 0x3feeaac7d98a6699},
    {0x1.db72fc1f0eab4p-55, 0x3feeace5422aa0db},
    {-0x1.5b6609cc5e7ffp-57, 0x3feeaf3216b5448c},
    {0x1.bf68359f35f44p-56, 0x3feeb1ae99157736},
    {-0x1.3091fa71e3d83p-54, 0x3feeb45b0b91ffc6},
    {-0x1.da9b88b6c1e29p-58, 0x3feeb737b0cdc5e5},
    {-0x1.c23f97c90b959p-57, 0x3feeba44cbc8520f},
    {-0x1.2434322f4f9aap-54, 0x3feebd829fde4e50},
    {-0x1.5ca6cd7668e4bp-55, 0x3feec0f170ca07ba},
    {0x1.1affc2b91ce27p-56, 0x3feec49182a3f090},
    {0x1.dd235e10a73bbp-57, 0x3feec86319e32323},
    {-0x1.7c50422622263p-55, 0x3feecc667b5de565},
    {0x1.b1c86e3e231d5p-55, 0x3feed09bec4a2d33},
    {-0x1.1bbd1d3bcbb15p-54, 0x3feed503b23e255d},
    {0x1.0cc319cee31d2p-54, 0x3feed99e1330b358},
    {0x1.469846e735ab3p-55, 0x3feede6b5579fdbf},
    {-0x1.2dfcd978e9db4p-55, 0x3feee36bbfd3f37a},
    {0x1.c1a7792cb3387p-55, 0x3feee89f995ad3ad},
    {-0x1.07b8f4ad1d9fap-54, 0x3feeee07298db666},
    {-0x1.5c3d956dcaebap-58, 0x3feef3a2b84f15fb},
    {-0x1.0a40e3da6f640p-54, 0x3feef9728de5593a},
    {-0x1.8d6f438ad9334p-57, 0x3feeff76f2fb5e47},
    {-0x1.1eee26b588a35p-54, 0x3fef05b030a1064a},
    {0x1.4ffd70a5fddcdp-56, 0x3fef0c1e904bc1d2},
    {-0x1.1bdfbfa9298acp-54, 0x3fef12c25bd71e09},
    {0x1.36eae30af0cb3p-56, 0x3fef199bdd85529c},
    {0x1.ee3325c9ffd94p-55, 0x3fef20ab5fffd07a},
    {0x1.4e08fd10959acp-55, 0x3fef27f12e57d14b},
    {0x1.3cdaf384e1a67p-57, 0x3fef2f6d9406e7b5},
    {0x1.76b2c6c921968p-57, 0x3fef3720dcef9069},
    {-0x1.08a1883ccb5d2p-55, 0x3fef3f0b555dc3fa},
    {-0x1.fad5d3ffffa6fp-55, 0x3fef472d4a07897c},
    {-0x1.00dae3875a949p-54, 0x3fef4f87080d89f2},
    {0x1.4a385a63d07a7p-56, 0x3fef5818dcfba487},
    {-0x1.2919e2040220fp-55, 0x3fef60e316c98398},
    {0x1.e5a50d5c192acp-55, 0x3fef69e603db3285},
    {0x1.43a59ac016b4bp-55, 0x3fef7321f301b460},
    {-0x1.2d52107b43e1fp-55, 0x3fef7c97337b9b5f},
    {-0x1.92ab93b470dc9p-55, 0x3fef864614f5a129},
    {0x1.4b604603a88d3p-56, 0x3fef902ee78b3ff6},
    {0x1.3c5ec519d7271p-55, 0x3fef9a51fbc74c83},
    {-0x1.ff7128fd391f0p-55, 0x3fefa4afa2a490da},
    {-0x1.dae98e223747dp-55, 0x3fefaf482d8e67f1},
    {0x1.ec3bc41aa2008p-55, 0x3fefba1bee615a27},
    {0x1.42b94c3a9eb32p-55, 0x3fefc52b376bba97},
    {0x1.a64a931d185eep-55, 0x3fefd0765b6e4540},
    {-0x1.e37bae43be3edp-55, 0x3fefdbfdad9cbe14},
    {0x1.7893b4d91cd9dp-56, 0x3fefe7c1819e90d8},
    {0x1.305c14160cc89p-58, 0x3feff3c22b8f71f1},
};

// |x| in [512, 1024): the exponent of 2^(k/N) may leave the double range, so the result is built
// from a scale shifted back into range.
inline double expScaled(double tmp, std::uint64_t sbits, bool positive) {
  if (positive) {
    const double scale = fromBits(sbits - (std::uint64_t{1009} << 52));
    return 0x1p1009 * (scale + scale * tmp);
  }
  const double scale = fromBits(sbits + (std::uint64_t{1022} << 52));
  double y = scale + scale * tmp;
  if (y < 1.0) {
    // The result is subnormal. Rounding to double here and then to the subnormal grid could round
    // twice; with 1 added, the single rounding happens where the subnormal grid has its last bit.
    double lo = scale - y + scale * tmp;
    const double hi = 1.0 + y;
    lo = 1.0 - hi + y + lo;
    y = (hi + lo) - 1.0;
  }
  return 0x1p-1022 * y;
}

// e^(x + tail) with |tail| much smaller than ln2 / 2N (pow passes the low part of its exponent).
template <bool kWithTail> inline double expCore(double x, double tail) {
  const std::uint32_t abstop = top12(toBits(x)) & 0x7ff;
  bool large = false;
  if (abstop >= 0x408) {   // |x| >= 512, infinite or NaN
    if (abstop >= 0x409) { // |x| >= 1024: sure overflow or underflow
      if (x != x)
        return x;
      return x < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    }
    large = true;
  }
  double kd = kInvLn2N * x + kRoundShift;
  const std::uint64_t ki = toBits(kd);
  kd -= kRoundShift;
  double r = x + kd * kNegLn2hiN + kd * kNegLn2loN;
  if constexpr (kWithTail)
    r += tail;
  const ExpEntry &entry = kExpTable[ki % kExpN];
  const std::uint64_t sbits = entry.bits + (ki << (52 - kExpTableBits));
  const double r2 = r * r;
  const double tmp = entry.tail + r + r2 * (kExpC2 + r * kExpC3) + r2 * r2 * (kExpC4 + r * kExpC5);
  if (large)
    return expScaled(tmp, sbits, x > 0);
  const double scale = fromBits(sbits);
  return scale + scale * tmp;
}

// --- log -----------------------------------------------------------------------------------------
// x = 2^k z with z in [kLogOff, 2 kLogOff), about [0.709, 1.418). That range is split into N
// intervals by the top mantissa bits; interval i has a c near its middle and
// log(x) = k ln2 + log(c) + log1p(r) with r = z / c - 1, |r| < 0.006.

constexpr int kLogTableBits = 7;
constexpr int kLogN = 1 << kLogTableBits;
// Puts 1.0 in the middle of an interval, the one whose c is 1: near 1 nothing but log1p(r) is left
// and the result stays accurate relative to its own small size.
constexpr std::uint64_t kLogOff = 0x3fe6b00000000000;
// ln2 in two parts; k times the first (|k| < 2^11) is exact and so is its sum with logc.
constexpr double kLn2hi = 0x1.62e42fefa3800p-1;
constexpr double kLn2lo = 0x1.ef35793c76730p-45;
// (log1p(r) - r + r^2 / 2) / r^3 on -0.00557 <= r <= 0.00591, relative error 2^-54: enough for
// log1p(r) to about 2^-68 relative, as pow needs.
constexpr double kLogB3 = 0x1.5555555555555p-2;
constexpr double kLogB4 = -0x1.0000000000007p-2;
constexpr double kLogB5 = 0x1.99999999992eep-3;
constexpr double kLogB6 = -0x1.5555555224dcbp-3;
constexpr double kLogB7 = 0x1.249249c86e90ep-3;
constexpr double kLogB8 = -0x1.0002fbb1881dcp-3;
constexpr double kLogB9 = 0x1.c6a59088fd6fdp-4;
// The same with relative error 2^-42.6, enough for log1p(r) to 2^-60 when only a double is kept.
constexpr double kLogShortB3 = 0x1.55555555554d5p-2;
constexpr double kLogShortB4 = -0x1.fffffffe90eaap-3;
constexpr double kLogShortB5 = 0x1.999999f1cb172p-3;
constexpr double kLogShortB6 = -0x1.5558019c151cep-3;
constexpr double kLogShortB7 = 0x1.245d26d4521b2p-3;

struct LogEntry {
  double invc; // 1 / c on a 2^-7 (below 1) or 2^-8 grid, so that z * invc - 1 fits in a double
  double logc; // log(c) = logc + logctail, logc a multiple of 2^-42
  double logctail;
};

inline constexpr LogEntry kLogTable[kLogN] = {
    {0x1.6800000000000p+0, -0x1.5d1bdbf581000p-2, 0x1.8d6bdc9c7c238p-44},
    {0x1.6600000000000p+0, -0x1.5767717456000p-2, 0x1.64ead9524d7cap-44},
    {0x1.6400000000000p+0, -0x1.51aad872e0000p-2, 0x1.f4bd8db0a7cc1p-44},
    {0x1.6200000000000p+0, -0x1.4be5f95778000p-2, 0x1.d7c92cd9ad824p-44},
    {0x1.6000000000000p+0, -0x1.4618bc21c6000p-2, 0x1.3d82f484c84ccp-46},
    {0x1.5e00000000000p+0, -0x1.404308686a000p-2, -0x1.f8ef43049f7d3p-44},
    {0x1.5c00000000000p+0, -0x1.3a64c55694000p-2, -0x1.7a71cbcd735d0p-44},
    {0x1.5a00000000000p+0, -0x1.347dd9a988000p-2, 0x1.5594dd4c58092p-45},
    {0x1.5800000000000p+0, -0x1.2e8e2bae12000p-2, 0x1.67b1e99b72bd8p-45},
    {0x1.5800000000000p+0, -0x1.2e8e2bae12000p-2, 0x1.67b1e99b72bd8p-45},
    {0x1.5600000000000p+0, -0x1.2895a13de8000p-2, -0x1.a8d7ad24c13f0p-44},
    {0x1.5400000000000p+0, -0x1.22941fbcf8000p-2, 0x1.a6976f5eb0963p-44},
    {0x1.5200000000000p+0, -0x1.1c898c169a000p-2, 0x1.81410e5c62affp-44},
    {0x1.5000000000000p+0, -0x1.1675cababa000p-2, -0x1.8380e731f55c4p-44},
    {0x1.4e00000000000p+0, -0x1.1058bf9ae5000p-2, 0x1.4ab9d817d52cdp-44},
    {0x1.4c00000000000p+0, -0x1.0a324e2739000p-2, -0x1.c6bee7ef4030ep-47},
    {0x1.4a00000000000p+0, -0x1.0402594b4d000p-2, -0x1.036b89ef42d7fp-48},
    {0x1.4a00000000000p+0, -0x1.0402594b4d000p-2, -0x1.036b89ef42d7fp-48},
    {0x1.4800000000000p+0, -0x1.fb9186d5e4000p-3, 0x1.d572aab993c87p-47},
    {0x1.4600000000000p+0, -0x1.ef0adcbdc6000p-3, 0x1.b26b79c86af24p-45},
    {0x1.4400000000000p+0, -0x1.e27076e2b0000p-3, 0x1.a342c2af0003cp-44},
    {0x1.4200000000000p+0, -0x1.d5c216b4fc000p-3, 0x1.1ba91bbca681bp-45},
    {0x1.4200000000000p+0, -0x1.d5c216b4fc000p-3, 0x1.1ba91bbca681bp-45},
    {0x1.4000000000000p+0, -0x1.c8ff7c79aa000p-3, 0x1.7794f689f8434p-45},
    {0x1.3e00000000000p+0, -0x1.bc286742d8000p-3, -0x1.9ac53f39d121cp-44},
    {0x1.3c00000000000p+0, -0x1.af3c94e80c000p-3, 0x1.a4e633fcd9066p-52},
    {0x1.3c00000000000p+0, -0x1.af3c94e80c000p-3, 0x1.a4e633fcd9066p-52},
    {0x1.3a00000000000p+0, -0x1.a23bc1fe2c000p-3, 0x1.539cd91dc9f0bp-44},
    {0x1.3800000000000p+0, -0x1.9525a9cf46000p-3, 0x1.297137d9f158fp-44},
    {0x1.3600000000000p+0, -0x1.87fa06520c000p-3, -0x1.22120401202fcp-44},
    {0x1.3600000000000p+0, -0x1.87fa06520c000p-3, -0x1.22120401202fcp-44},
    {0x1.3400000000000p+0, -0x1.7ab890210e000p-3, 0x1.bdb9072534a58p-45},
    {0x1.3200000000000p+0, -0x1.6d60fe719e000p-3, 0x1.bc6e557134767p-44},
    {0x1.3000000000000p+0, -0x1.5ff3070a7a000p-3, 0x1.8586f183bebf2p-44},
    {0x1.3000000000000p+0, -0x1.5ff3070a7a000p-3, 0x1.8586f183bebf2p-44},
    {0x1.2e00000000000p+0, -0x1.526e5e3a1c000p-3, 0x1.790ba37fc5238p-44},
    {0x1.2c00000000000p+0, -0x1.44d2b6ccb8000p-3, 0x1.70cc16135783cp-46},
    {0x1.2c00000000000p+0, -0x1.44d2b6ccb8000p-3, 0x1.70cc16135783cp-46},
    {0x1.2a00000000000p+0, -0x1.371fc201e8000p-3, -0x1.ee8779b2d8abcp-44},
    {0x1.2800000000000p+0, -0x1.29552f8200000p-3, 0x1.5b967f4471dfcp-44},
    {0x1.2800000000000p+0, -0x1.29552f8200000p-3, 0x1.5b967f4471dfcp-44},
    {0x1.2600000000000p+0, -0x1.1b72ad52f6000p-3, -0x1.e80a41811a396p-45},
    {0x1.2400000000000p+0, -0x1.0d77e7cd08000p-3, -0x1.cb2cd2ee2f482p-44},
    {0x1.2400000000000p+0, -0x1.0d77e7cd08000p-3, -0x1.cb2cd2ee2f482p-44},
    {0x1.2200000000000p+0, -0x1.fec9131dc0000p-4, 0x1.54555d1ae6607p-44},
    {0x1.2000000000000p+0, -0x1.e27076e2b0000p-4, 0x1.a342c2af0003cp-45},
    {0x1.2000000000000p+0, -0x1.e27076e2b0000p-4, 0x1.a342c2af0003cp-45},
    {0x1.1e00000000000p+0, -0x1.c5e548f5bc000p-4, -0x1.d0c57585fbe06p-46},
    {0x1.1c00000000000p+0, -0x1.a926d3a4ac000p-4, -0x1.563650bd22a9cp-44},
    {0x1.1c00000000000p+0, -0x1.a926d3a4ac000p-4, -0x1.563650bd22a9cp-44},
    {0x1.1a00000000000p+0, -0x1.8c345d6318000p-4, -0x1.b20f5acb42a66p-44},
    {0x1.1a00000000000p+0, -0x1.8c345d6318000p-4, -0x1.b20f5acb42a66p-44},
    {0x1.1800000000000p+0, -0x1.6f0d28ae58000p-4, 0x1.4b4641b664613p-44},
    {0x1.1600000000000p+0, -0x1.51b073f060000p-4, -0x1.83f69278e686ap-44},
    {0x1.1600000000000p+0, -0x1.51b073f060000p-4, -0x1.83f69278e686ap-44},
    {0x1.1400000000000p+0, -0x1.341d7961bc000p-4, -0x1.1d09299837610p-44},
    {0x1.1400000000000p+0, -0x1.341d7961bc000p-4, -0x1.1d09299837610p-44},
    {0x1.1200000000000p+0, -0x1.16536eea38000p-4, 0x1.47c5e768fa309p-46},
    {0x1.1200000000000p+0, -0x1.16536eea38000p-4, 0x1.47c5e768fa309p-46},
    {0x1.1000000000000p+0, -0x1.f0a30c0118000p-5, 0x1.d599e83368e91p-45},
    {0x1.0e00000000000p+0, -0x1.b42dd71198000p-5, 0x1.c827ae5d6704cp-46},
    {0x1.0e00000000000p+0, -0x1.b42dd71198000p-5, 0x1.c827ae5d6704cp-46},
    {0x1.0c00000000000p+0, -0x1.77458f6330000p-5, 0x1.181dce586af09p-44},
    {0x1.0c00000000000p+0, -0x1.77458f6330000p-5, 0x1.181dce586af09p-44},
    {0x1.0a00000000000p+0, -0x1.39e87b9fe8000p-5, -0x1.eafd480ad9015p-44},
    {0x1.0a00000000000p+0, -0x1.39e87b9fe8000p-5, -0x1.eafd480ad9015p-44},
    {0x1.0800000000000p+0, -0x1.f829b0e780000p-6, -0x1.980267c7e09e4p-45},
    {0x1.0800000000000p+0, -0x1.f829b0e780000p-6, -0x1.980267c7e09e4p-45},
    {0x1.0600000000000p+0, -0x1.7b91b07d60000p-6, 0x1.3b955b602ace4p-44},
    {0x1.0600000000000p+0, -0x1.7b91b07d60000p-6, 0x1.3b955b602ace4p-44},
    {0x1.0400000000000p+0, -0x1.fc0a8b0fc0000p-7, -0x1.f1e7cf6d3a69cp-50},
    {0x1.0400000000000p+0, -0x1.fc0a8b0fc0000p-7, -0x1.f1e7cf6d3a69cp-50},
    {0x1.0200000000000p+0, -0x1.fe02a6b100000p-8, -0x1.9e23f0dda40e4p-46},
    {0x1.0200000000000p+0, -0x1.fe02a6b100000p-8, -0x1.9e23f0dda40e4p-46},
    {0x1.0000000000000p+0, 0x0.0p+0, 0x0.0p+0},
    {0x1.fc00000000000p-1, 0x1.0101575880000p-7, 0x1.bce251998b506p-44},
    {0x1.f800000000000p-1, 0x1.0205658930000p-6, 0x1.611d27c8e8417p-44},
    {0x1.f400000000000p-1, 0x1.8492528c90000p-6, -0x1.aa0ba325a0c34p-45},
    {0x1.f000000000000p-1, 0x1.0415d89e78000p-5, -0x1.dddc7f461c516p-44},
    {0x1.ec00000000000p-1, 0x1.466aed42e0000p-5, -0x1.c167375bdfd28p-45},
    {0x1.ea00000000000p-1, 0x1.67c94f2d48000p-5, 0x1.dac20827cca0cp-44},
    {0x1.e600000000000p-1, 0x1.aaef2d0fb0000p-5, 0x1.0fc1a353bb42ep-45},
    {0x1.e200000000000p-1, 0x1.eea31c0068000p-5, 0x1.c3dd83606d891p-44},
    {0x1.de00000000000p-1, 0x1.1973bd1464000p-4, 0x1.566d154f930b3p-44},
    {0x1.da00000000000p-1, 0x1.3bdf5a7d20000p-4, -0x1.19bd0ad125895p-44},
    {0x1.d800000000000p-1, 0x1.4d3115d208000p-4, -0x1.53a2582f4e1efp-48},
    {0x1.d400000000000p-1, 0x1.700d30aeac000p-4, 0x1.c1e8da99ded32p-49},
    {0x1.d000000000000p-1, 0x1.9335e5d594000p-4, 0x1.3115c3abd47dap-45},
    {0x1.ce00000000000p-1, 0x1.a4e7640b1c000p-4, -0x1.e42b6b94407c8p-47},
    {0x1.ca00000000000p-1, 0x1.c885801bc4000p-4, 0x1.646d1c65aacd3p-45},
    {0x1.c800000000000p-1, 0x1.da72763844000p-4, 0x1.a89401fa71733p-46},
    {0x1.c400000000000p-1, 0x1.fe89139dbc000p-4, 0x1.56594d82f7a82p-44},
    {0x1.c000000000000p-1, 0x1.1178e8227e000p-3, 0x1.1ef78ce2d07f2p-45},
    {0x1.be00000000000p-1, 0x1.1aa2b7e240000p-3, -0x1.1ac38dde3b366p-44},
    {0x1.ba00000000000p-1, 0x1.2d1610c868000p-3, 0x1.39d6ccb81b4a1p-47},
    {0x1.b800000000000p-1, 0x1.365fcb015a000p-3, -0x1.fd3a0afb9691bp-44},
    {0x1.b400000000000p-1, 0x1.4913d8333c000p-3, -0x1.53e43558124c4p-44},
    {0x1.b200000000000p-1, 0x1.527e5e4a1c000p-3, -0x1.4e60b8d4b411dp-44},
    {0x1.b000000000000p-1, 0x1.5bf406b544000p-3, -0x1.27023eb68981cp-46},
    {0x1.ac00000000000p-1, 0x1.6f0128b756000p-3, 0x1.577390d31ef0fp-44},
    {0x1.aa00000000000p-1, 0x1.7898d85444000p-3, 0x1.8e67be3dbaf3fp-44},
    {0x1.a600000000000p-1, 0x1.8beafeb390000p-3, -0x1.73d54aae92cd1p-47},
    {0x1.a400000000000p-1, 0x1.95a5adcf70000p-3, 0x1.7f22858a0ff6fp-47},
    {0x1.a200000000000p-1, 0x1.9f6c40708a000p-3, -0x1.337d94bcd3f43p-44},
    {0x1.9e00000000000p-1, 0x1.b31d8575bc000p-3, 0x1.c794e562a63cbp-44},
    {0x1.9c00000000000p-1, 0x1.bd087383be000p-3, -0x1.d4bc4595412b6p-45},
    {0x1.9a00000000000p-1, 0x1.c6ffbc6f00000p-3, 0x1.ee138d3a69d43p-44},
    {0x1.9800000000000p-1, 0x1.d1037f2656000p-3, -0x1.84a7e75b6f6e4p-47},
    {0x1.9400000000000p-1, 0x1.e530effe72000p-3, -0x1.fdbdbb13f7c18p-44},
    {0x1.9200000000000p-1, 0x1.ef5ade4dd0000p-3, -0x1.a211565bb8e11p-51},
    {0x1.9000000000000p-1, 0x1.f991c6cb3c000p-3, -0x1.90d04cd7cc834p-44},
    {0x1.8e00000000000p-1, 0x1.01eae5626c000p-2, 0x1.a43dcfade85aep-44},
    {0x1.8a00000000000p-1, 0x1.0c42d67616000p-2, 0x1.7188b163ceae9p-45},
    {0x1.8800000000000p-1, 0x1.1178e8227e000p-2, 0x1.1ef78ce2d07f2p-44},
    {0x1.8600000000000p-1, 0x1.16b5ccbad0000p-2, -0x1.23299042d74bfp-44},
    {0x1.8400000000000p-1, 0x1.1bf99635a7000p-2, -0x1.1ac89575c2125p-44},
    {0x1.8200000000000p-1, 0x1.214456d0ec000p-2, -0x1.caf0428b728a3p-44},
    {0x1.8000000000000p-1, 0x1.269621134e000p-2, -0x1.1b61f10522625p-44},
    {0x1.7e00000000000p-1, 0x1.2bef07cdc9000p-2, 0x1.a9cfa4a5004f4p-45},
    {0x1.7a00000000000p-1, 0x1.36b6776be1000p-2, 0x1.16ecdb0f177c8p-46},
    {0x1.7800000000000p-1, 0x1.3c25277333000p-2, 0x1.83b54b606bd5cp-46},
    {0x1.7600000000000p-1, 0x1.419b423d5f000p-2, -0x1.ce379226de3ecp-44},
    {0x1.7400000000000p-1, 0x1.4718dc271c000p-2, 0x1.06c18fb4c14c5p-44},
    {0x1.7200000000000p-1, 0x1.4c9e09e173000p-2, -0x1.e20891b0ad8a4p-45},
    {0x1.7000000000000p-1, 0x1.522ae0738a000p-2, 0x1.ebe708164c759p-45},
    {0x1.6e00000000000p-1, 0x1.57bf753c8d000p-2, 0x1.fadedee5d40efp-46},
    {0x1.6c00000000000p-1, 0x1.5d5bddf596000p-2, -0x1.a0b2a08a465dcp-47},
    {0x1.6a00000000000p-1, 0x1.630030b3ab000p-2, -0x1.db623e731ae00p-45},
};

// log(x) = t1 + lo1 + log1p(r), with t1 = k ln2hi + logc exact and r = rhi + rlo exact.
struct LogReduction {
  double t1, lo1, r, rhi, rlo;
};

// `ix` holds the bits of a positive normal double, or those of a subnormal one multiplied by 2^52
// with 52 taken off the exponent field (which may then wrap: the arithmetic is modulo 2^64).
inline LogReduction logReduce(std::uint64_t ix) {
  const std::uint64_t tmp = ix - kLogOff;
  const LogEntry &entry = kLogTable[(tmp >> (52 - kLogTableBits)) % kLogN];
  int k = static_cast<int>(tmp >> 52); // a 12-bit two's complement number
  k -= (k & 0x800) << 1;
  const std::uint64_t iz = ix - (tmp & (std::uint64_t{0xfff} << 52));
  const double z = fromBits(iz);
  const double kd = k;
  // z = zhi + zlo with zhi rounded to 21 bits: zhi * invc - 1 and zlo * invc are exact, and so is
  // their sum thanks to the coarse invc; rhi^2 is exact too.
  const double zhi = fromBits((iz + (std::uint64_t{1} << 31)) & (~std::uint64_t{0} << 32));
  const double zlo = z - zhi;
  const double rhi = zhi * entry.invc - 1.0;
  const double rlo = zlo * entry.invc;
  return {kd * kLn2hi + entry.logc, kd * kLn2lo + entry.logctail, rhi + rlo, rhi, rlo};
}

// log(x) as hi + lo, |lo| < 0.01 |hi|, with relative error about 2^-60 before the two are added.
inline double logShort(std::uint64_t ix, double &lo) {
  const LogReduction x = logReduce(ix);
  // Exact: |t1| >= |r| unless t1 = 0.
  const double hi = x.t1 + x.r;
  const double sumError = x.t1 - hi + x.r;
  const double r = x.r;
  const double r2 = r * r;
  const double p =
      (kLogShortB3 + r * kLogShortB4) + r2 * (kLogShortB5 + r * kLogShortB6 + r2 * kLogShortB7);
  lo = sumError + x.lo1 + r2 * (-0.5 + r * p);
  return hi;
}

// log(x) as y + tail, |tail| <= ulp(y) / 2, with relative error about 2^-68.
inline double logLong(std::uint64_t ix, double &tail) {
  const LogReduction x = logReduce(ix);
  const double r = x.r;
  const double t2 = x.t1 + r;
  const double lo2 = x.t1 - t2 + r;
  // -r^2 / 2: the rhi^2 part exactly, the cross terms with rlo (lo3) approximately.
  const double halfRhi2 = -0.5 * x.rhi * x.rhi;
  const double hi = t2 + halfRhi2;
  const double lo3 = x.rlo * (-0.5 * x.rhi - 0.5 * r);
  const double lo4 = t2 - hi + halfRhi2;
  const double r2 = r * r;
  const double p = (kLogB3 + r * kLogB4) +
                   r2 * ((kLogB5 + r * kLogB6) + r2 * ((kLogB7 + r * kLogB8) + r2 * kLogB9));
  const double lo = x.lo1 + lo2 + lo3 + lo4 + r2 * r * p;
  const double y = hi + lo;
  tail = hi - y + lo;
  return y;
}

// The bits logReduce takes for x, or false for x outside (0, +inf) or NaN.
inline bool logArgument(double x, std::uint64_t &ix) {
  ix = toBits(x);
  if (top12(ix) - 0x001 >= 0x7fe) { // zero, subnormal, negative, infinite or NaN
    if (!(x > 0) || x == std::numeric_limits<double>::infinity())
      return false;
    ix = toBits(x * 0x1p52) - (std::uint64_t{52} << 52);
  }
  return true;
}

// What log gives outside (0, +inf): -inf for zero, NaN for negative numbers and NaN, +inf for +inf.
inline double logOutsideDomain(double x) {
  if (x == 0)
    return -std::numeric_limits<double>::infinity();
  if (x > 0)
    return x;
  return std::numeric_limits<double>::quiet_NaN();
}

// 1 / ln10 in two parts; the first has 26 bits so that its product with an upperHalf is exact.
constexpr double kInvLn10hi = 0x1.bcb7b1p-2;
constexpr double kInvLn10lo = 0x1.49b9438ca9aaep-28;
constexpr double kInvLn10 = 0x1.bcb7b1526e50ep-2;

} // namespace fast_math_detail

// e^x. Overflows to +inf above 709.78, underflows through the subnormals to 0 below -745.13;
// NaN gives NaN.
inline double fastExp(double x) { return fast_math_detail::expCore<false>(x, 0.0); }

// Natural logarithm for x > 0 including subnormals; log(0) = -inf, log(+inf) = +inf, NaN for
// negative x and NaN.
inline double fastLog(double x) {
  std::uint64_t ix;
  if (!fast_math_detail::logArgument(x, ix))
    return fast_math_detail::logOutsideDomain(x);
  double lo;
  const double hi = fast_math_detail::logShort(ix, lo);
  return hi + lo;
}

// Base-10 logarithm, with the same rules as fastLog at the edges. Exact for exact powers of ten.
inline double fastLog10(double x) {
  using namespace fast_math_detail;
  std::uint64_t ix;
  if (!logArgument(x, ix))
    return logOutsideDomain(x);
  double lo;
  const double hi = logShort(ix, lo);
  // (hi + lo) / ln10, with the rounding error of the main product recovered.
  const double hh = upperHalf(hi);
  const double hl = hi - hh;
  return hh * kInvLn10hi + (hl * kInvLn10hi + (hi * kInvLn10lo + lo * kInvLn10));
}

// base^exponent as e^(exponent * log(base)), with log(base) and the product carried in two parts
// so that the result keeps its accuracy when that product is large (up to the overflow limit).
// For base > 0 and finite exponent. Otherwise: base == 0 (either sign) gives 0 for exponent > 0,
// +inf for exponent < 0 and 1 for exponent == 0; any other base < 0, a NaN or an infinite base
// or exponent give NaN (the gain computers only raise magnitudes).
inline double fastPow(double base, double exponent) {
  using namespace fast_math_detail;
  std::uint64_t ix = toBits(base);
  const bool exponentFinite = (top12(toBits(exponent)) & 0x7ff) != 0x7ff;
  if (top12(ix) - 0x001 >= 0x7fe || !exponentFinite) {
    if (!exponentFinite || !(base >= 0) || base == std::numeric_limits<double>::infinity())
      return std::numeric_limits<double>::quiet_NaN();
    if (base == 0)
      return exponent > 0 ? 0.0 : exponent < 0 ? std::numeric_limits<double>::infinity() : 1.0;
    ix = toBits(base * 0x1p52) - (std::uint64_t{52} << 52); // subnormal
  }
  double logTail;
  const double logHead = logLong(ix, logTail);
  // exponent * log(base) as ehi + elo: the upper halves multiply exactly and |elo| <= 2^-25 |ehi|.
  const double yhi = upperHalf(exponent);
  const double ylo = exponent - yhi;
  const double lhi = upperHalf(logHead);
  const double llo = logHead - lhi + logTail;
  const double ehi = yhi * lhi;
  const double elo = ylo * lhi + exponent * llo;
  return expCore<true>(ehi, elo);
}
