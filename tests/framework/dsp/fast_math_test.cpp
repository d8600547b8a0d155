// The fast math kernels against the C library's long double functions, which carry 64-bit
// mantissas on every target we build (x87 extended precision), so that the figures measured are
// our own error rather than the reference's. On a target whose long double were plain double the
// reference term below would widen the bounds to the library's own error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "dsp/fast_math.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMinNormal = std::numeric_limits<double>::min();
constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();
constexpr double kUlpAtOne = std::numeric_limits<double>::epsilon(); // 2^-52

// The reference's own relative error, a few units in its last place.
const double kReferenceError =
    4.0 * static_cast<double>(std::numeric_limits<long double>::epsilon());
// What we require is 2e-15 for exp and the logarithms and 1e-14 for pow. The kernels stay within
// 0.55 ulp (a relative 1.22e-16); holding them to 0.68 ulp shows a regression long before the
// requirement is at risk.
const double kBound = 0.68 * kUlpAtOne + kReferenceError;

long double extended(double x) { return static_cast<long double>(x); }

// The worst relative error of a sweep and where it happened. NaN counts as worse than anything.
struct Worst {
  double error = 0;    // less the reference's allowance: what the bounds apply to
  double rawError = 0; // as measured
  double x = 0;
  double y = 0;

  // `allowance`: how far the reference itself may be off, relative, beyond kReferenceError.
  void add(double got, long double want, double atX, double atY = 0, double allowance = 0) {
    const double raw = got == want ? 0.0 : static_cast<double>(std::fabs((got - want) / want));
    if (!(raw <= rawError))
      rawError = raw;
    double error = raw - allowance;
    if (error < 0)
      error = 0;
    if (!(error <= this->error)) {
      this->error = error;
      x = atX;
      y = atY;
    }
  }
};

::testing::AssertionResult within(const Worst &worst, double bound, const char *what) {
  std::printf("  %-44s worst relative error %.3g", what, worst.rawError);
  if (worst.error != worst.rawError)
    std::printf(", %.3g beyond the reference's own", worst.error);
  std::printf("\n");
  if (worst.error <= bound)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << ": relative error " << worst.error << " at " << std::hexfloat << worst.x << ", "
         << worst.y << std::defaultfloat << " exceeds " << bound;
}

// Absolute error in units of the smallest subnormal, for results below the normal range where
// a relative error means little. Correct rounding keeps it within 0.5; rounding twice (first to
// 53 bits, then to the subnormal grid) would show as up to 0.625.
constexpr double kSubnormalBound = 0.5 + 1.0 / 64;

// `allowance` as for Worst::add.
double subnormalUnits(double got, long double want, double allowance = 0) {
  const long double error = std::fabs(got - want) - allowance * std::fabs(want);
  return error > 0 ? static_cast<double>(error / extended(kMinSubnormal)) : 0.0;
}

// n evenly spaced points from low to high, both included.
std::vector<double> grid(double low, double high, int n) {
  std::vector<double> points(n);
  for (int i = 0; i < n; ++i)
    points[i] = low + (high - low) * i / (n - 1);
  return points;
}

// n points whose logarithms are evenly spaced from log(low) to log(high).
std::vector<double> logGrid(double low, double high, int n) {
  std::vector<double> points = grid(std::log(low), std::log(high), n);
  for (double &point : points)
    point = std::exp(point);
  return points;
}

double fromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// Positive finite doubles with uniformly random bit patterns: every binade equally often,
// subnormals included.
std::vector<double> randomPositiveDoubles(int n, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::vector<double> points;
  while (static_cast<int>(points.size()) < n) {
    const double x = fromBits(random() >> 1);
    if (x > 0 && x < kInf)
      points.push_back(x);
  }
  return points;
}

// 1 + d and 1 - d for d from 2^-53 to 2^-4, where a logarithm is small and loses relative
// accuracy unless computed with care.
std::vector<double> nearOne(int n) {
  std::vector<double> points;
  for (double d : logGrid(0x1p-53, 0x1p-4, n / 2)) {
    points.push_back(1.0 + d);
    points.push_back(1.0 - d);
  }
  return points;
}

// log(1) = 0 has no relative error; it is checked on its own.
std::vector<double> withoutOne(std::vector<double> points) {
  points.erase(std::remove(points.begin(), points.end(), 1.0), points.end());
  return points;
}

template <typename Fast, typename Reference>
Worst sweep(const std::vector<double> &points, Fast fast, Reference reference) {
  Worst worst;
  for (double x : points)
    worst.add(fast(x), reference(extended(x)), x);
  return worst;
}

// ----- exp

TEST(FastExp, MatchesTheLibraryOverTheNormalRange) {
  const auto fast = [](double x) { return fastExp(x); };
  const auto reference = [](long double x) { return std::exp(x); };
  // Every result between the smallest normal and the largest finite double.
  EXPECT_TRUE(within(sweep(grid(-708.39, 709.78, 600000), fast, reference), kBound,
                     "exp on [-708.39, 709.78]"));
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> audio(-30.0, 30.0);
  std::vector<double> points(300000);
  for (double &x : points)
    x = audio(random);
  EXPECT_TRUE(within(sweep(points, fast, reference), kBound, "exp on random [-30, 30]"));
  std::vector<double> tiny;
  for (double d : logGrid(1e-300, 1e-3, 50000)) {
    tiny.push_back(d);
    tiny.push_back(-d);
  }
  EXPECT_TRUE(within(sweep(tiny, fast, reference), kBound, "exp near 0"));
}

TEST(FastExp, UnderflowsGraduallyThroughTheSubnormals) {
  double worst = 0;
  double at = 0;
  for (double x : grid(-745.13, -708.4, 100000)) {
    const double units = subnormalUnits(fastExp(x), std::exp(extended(x)));
    if (!(units <= worst)) {
      worst = units;
      at = x;
    }
  }
  EXPECT_LE(worst, kSubnormalBound) << "at " << std::hexfloat << at;
  EXPECT_EQ(fastExp(-745.13), kMinSubnormal);
  EXPECT_EQ(fastExp(-745.14), 0.0);
  EXPECT_EQ(fastExp(-746.0), 0.0);
  EXPECT_EQ(fastExp(-1000.0), 0.0);
  EXPECT_EQ(fastExp(-1e300), 0.0);
  EXPECT_EQ(fastExp(-kInf), 0.0);
}

TEST(FastExp, OverflowsJustPastTheLargestDouble) {
  // The largest argument whose result is finite, and the next double up.
  const double lastFinite = 0x1.62e42fefa39efp+9;
  const double result = fastExp(lastFinite);
  ASSERT_LT(result, kInf);
  Worst worst;
  worst.add(result, std::exp(extended(lastFinite)), lastFinite);
  EXPECT_TRUE(within(worst, kBound, "exp at the overflow threshold"));
  EXPECT_EQ(fastExp(std::nextafter(lastFinite, kInf)), kInf);
  EXPECT_EQ(fastExp(710.0), kInf);
  EXPECT_EQ(fastExp(1024.0), kInf);
  EXPECT_EQ(fastExp(1e300), kInf);
  EXPECT_EQ(fastExp(kInf), kInf);
}

TEST(FastExp, ExactAndSpecialValues) {
  EXPECT_EQ(fastExp(0.0), 1.0);
  EXPECT_EQ(fastExp(-0.0), 1.0);
  EXPECT_EQ(fastExp(kMinSubnormal), 1.0);
  EXPECT_EQ(fastExp(-kMinSubnormal), 1.0);
  EXPECT_TRUE(std::isnan(fastExp(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_TRUE(std::isnan(fastExp(-std::numeric_limits<double>::quiet_NaN())));
}

// ----- log and log10

TEST(FastLog, MatchesTheLibraryEverywhere) {
  const auto fast = [](double x) { return fastLog(x); };
  const auto reference = [](long double x) { return std::log(x); };
  EXPECT_TRUE(within(sweep(randomPositiveDoubles(400000, 2), fast, reference), kBound,
                     "log on random bit patterns"));
  // Every table interval in both halves of the reduced range, densely.
  const std::vector<double> reduced = withoutOne(grid(0.5, 2.0, 600000));
  EXPECT_TRUE(within(sweep(reduced, fast, reference), kBound, "log on [0.5, 2]"));
  EXPECT_TRUE(within(sweep(nearOne(200000), fast, reference), kBound, "log near 1"));
  EXPECT_TRUE(
      within(sweep(logGrid(1e-12, 1e6, 200000), fast, reference), kBound, "log on [1e-12, 1e6]"));
}

TEST(FastLog, ExtremesAndSpecialValues) {
  Worst worst;
  for (double x : {kMinSubnormal, 3 * kMinSubnormal, kMinNormal - kMinSubnormal, kMinNormal, kMax})
    worst.add(fastLog(x), std::log(extended(x)), x);
  EXPECT_TRUE(within(worst, kBound, "log at the extremes"));
  EXPECT_EQ(fastLog(1.0), 0.0);
  EXPECT_FALSE(std::signbit(fastLog(1.0)));
  EXPECT_EQ(fastLog(0.0), -kInf);
  EXPECT_EQ(fastLog(-0.0), -kInf);
  EXPECT_EQ(fastLog(kInf), kInf);
  for (double x : {-kMinSubnormal, -1.0, -kInf, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_TRUE(std::isnan(fastLog(x))) << x;
}

TEST(FastLog10, MatchesTheLibraryEverywhere) {
  const auto fast = [](double x) { return fastLog10(x); };
  const auto reference = [](long double x) { return std::log10(x); };
  EXPECT_TRUE(within(sweep(randomPositiveDoubles(300000, 3), fast, reference), kBound,
                     "log10 on random bit patterns"));
  const std::vector<double> reduced = withoutOne(grid(0.5, 2.0, 300000));
  EXPECT_TRUE(within(sweep(reduced, fast, reference), kBound, "log10 on [0.5, 2]"));
  EXPECT_TRUE(within(sweep(nearOne(100000), fast, reference), kBound, "log10 near 1"));
  EXPECT_TRUE(
      within(sweep(logGrid(1e-12, 1e6, 200000), fast, reference), kBound, "log10 on [1e-12, 1e6]"));
}

TEST(FastLog10, ExactPowersOfTenAndSpecialValues) {
  // 10^n is exactly representable up to 10^22; its logarithm then rounds to n.
  double power = 1.0;
  for (int n = 0; n <= 22; ++n, power *= 10.0)
    EXPECT_EQ(fastLog10(power), n) << "10^" << n;
  Worst worst;
  for (double x : {kMinSubnormal, kMinNormal, kMax})
    worst.add(fastLog10(x), std::log10(extended(x)), x);
  EXPECT_TRUE(within(worst, kBound, "log10 at the extremes"));
  EXPECT_EQ(fastLog10(0.0), -kInf);
  EXPECT_EQ(fastLog10(-0.0), -kInf);
  EXPECT_EQ(fastLog10(kInf), kInf);
  for (double x : {-kMinSubnormal, -1.0, -kInf, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_TRUE(std::isnan(fastLog10(x))) << x;
}

// ----- pow

struct PowCase {
  double base;
  double exponent;
};

long double referencePow(const PowCase &c) {
  return std::pow(extended(c.base), extended(c.exponent));
}

// A long double pow built on a 64-bit log2 (as mingw's) is off by up to about one long double ulp
// of exponent * log2(base), relative: 1.1e-16 at the ends of the range.
double referencePowError(const PowCase &c) {
  return static_cast<double>(std::numeric_limits<long double>::epsilon()) *
         std::fabs(c.exponent * std::log2(c.base));
}

// Results outside the normal range are checked separately.
Worst powSweep(const std::vector<PowCase> &cases) {
  Worst worst;
  for (const PowCase &c : cases) {
    const long double want = referencePow(c);
    if (want >= extended(kMinNormal) && want <= extended(kMax))
      worst.add(fastPow(c.base, c.exponent), want, c.base, c.exponent, referencePowError(c));
  }
  return worst;
}

// Bases spread evenly in logarithm over [low, high], exponents uniform in [low, high].
std::vector<PowCase> randomPowCases(int n, double lowBase, double highBase, double lowExponent,
                                    double highExponent, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> logBase(std::log(lowBase), std::log(highBase));
  std::uniform_real_distribution<double> exponent(lowExponent, highExponent);
  std::vector<PowCase> cases(n);
  for (PowCase &c : cases) {
    c.base = std::exp(logBase(random));
    c.exponent = exponent(random);
  }
  return cases;
}

// Exponents chosen so that exponent * log(base) is uniform in [low, high]: the result's error
// is then the error of that product, large in absolute terms unless log is carried with more
// than double precision.
std::vector<PowCase> largeProductCases(const std::vector<double> &bases, double low, double high,
                                       std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> product(low, high);
  std::vector<PowCase> cases;
  for (double base : bases)
    if (base != 1.0)
      cases.push_back({base, product(random) / std::log(base)});
  return cases;
}

TEST(FastPow, MatchesTheLibraryForGainComputerArguments) {
  EXPECT_TRUE(within(powSweep(randomPowCases(200000, 1e-12, 1e6, -2.0, 2.0, 4)), kBound,
                     "pow, base 1e-12..1e6, exponent -2..2"));
  EXPECT_TRUE(within(powSweep(randomPowCases(100000, 1e-12, 1e6, -10.0, 10.0, 5)), kBound,
                     "pow, base 1e-12..1e6, exponent -10..10"));
}

TEST(FastPow, KeepsItsAccuracyWhenTheProductIsLarge) {
  EXPECT_TRUE(within(powSweep(largeProductCases(logGrid(1e-300, 1e300, 100000), -708.0, 709.0, 6)),
                     kBound, "pow, |exponent log(base)| up to 709"));
  // Bases next to 1 need huge exponents to get there.
  EXPECT_TRUE(within(powSweep(largeProductCases(nearOne(60000), -708.0, 709.0, 7)), kBound,
                     "pow, base near 1, large exponents"));
  EXPECT_TRUE(within(powSweep(largeProductCases(randomPositiveDoubles(60000, 8), -708.0, 709.0, 9)),
                     kBound, "pow, random bases incl. subnormal"));
}

TEST(FastPow, ExactWhenTheResultIsRepresentable) {
  // Below one ulp of error the exact result is the only double close enough.
  for (int n = -1074; n <= 1023; ++n)
    EXPECT_EQ(fastPow(2.0, n), std::ldexp(1.0, n)) << "2^" << n;
  double power = 1.0;
  for (int n = 0; n <= 22; ++n, power *= 10.0)
    EXPECT_EQ(fastPow(10.0, n), power) << "10^" << n;
  EXPECT_EQ(fastPow(kMinSubnormal, 0.5), 0x1p-537);
  EXPECT_EQ(fastPow(kMinSubnormal, -0.5), 0x1p537);
  EXPECT_EQ(fastPow(0.25, -1.5), 8.0);
  for (double x : randomPositiveDoubles(20000, 10)) {
    ASSERT_EQ(fastPow(x, 1.0), x) << std::hexfloat << x;
    ASSERT_EQ(fastPow(x, 0.0), 1.0) << std::hexfloat << x;
  }
  for (double y : {1e-300, -1.0, 0.5, 1e10, -1e300, kMax})
    EXPECT_EQ(fastPow(1.0, y), 1.0) << y;
}

TEST(FastPow, OverflowsAndUnderflows) {
  EXPECT_EQ(fastPow(10.0, 309.0), kInf);
  EXPECT_EQ(fastPow(1e300, 2.0), kInf);
  EXPECT_EQ(fastPow(2.0, 1024.0), kInf);
  EXPECT_EQ(fastPow(1.0000001, 1e300), kInf);
  EXPECT_EQ(fastPow(1e-300, 2.0), 0.0);
  EXPECT_EQ(fastPow(2.0, -1076.0), 0.0);
  EXPECT_EQ(fastPow(0.9999999, 1e300), 0.0);
  EXPECT_EQ(fastPow(kMax, -2.0), 0.0);
  // Results in the subnormal range.
  double worst = 0;
  for (const PowCase &c : largeProductCases(logGrid(1e-300, 1e300, 30000), -745.0, -708.4, 11)) {
    const double units =
        subnormalUnits(fastPow(c.base, c.exponent), referencePow(c), referencePowError(c));
    if (!(units <= worst))
      worst = units;
  }
  EXPECT_LE(worst, kSubnormalBound);
}

TEST(FastPow, ZeroNegativeAndNonFiniteArguments) {
  for (double zero : {0.0, -0.0}) {
    EXPECT_EQ(fastPow(zero, 2.0), 0.0);
    EXPECT_FALSE(std::signbit(fastPow(zero, 3.0)));
    EXPECT_EQ(fastPow(zero, kMinSubnormal), 0.0);
    EXPECT_EQ(fastPow(zero, -1.0), kInf);
    EXPECT_EQ(fastPow(zero, 0.0), 1.0);
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const PowCase undefined[] = {{-2.0, 2.0},  {-2.0, 0.5}, {-kMinSubnormal, 1.0},
                               {-kInf, 2.0}, {kInf, 2.0}, {kInf, -1.0},
                               {nan, 1.0},   {nan, 0.0},  {2.0, nan},
                               {1.0, nan},   {2.0, kInf}, {0.5, -kInf},
                               {1.0, kInf},  {0.0, kInf}, {0.0, nan}};
  for (const PowCase &c : undefined)
    EXPECT_TRUE(std::isnan(fastPow(c.base, c.exponent))) << c.base << " ^ " << c.exponent;
}

} // namespace
