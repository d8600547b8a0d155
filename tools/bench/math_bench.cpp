// math-bench: time per call and worst relative error of the fast math kernels against the C
// library, on arrays of arguments like the gain computers pass. Prints figures only.
//
// Each row: median ns per call over several runs (throughput: the calls are independent and only
// their sum is kept), the same for the library function, the worst relative error against the
// library in double and against its long double version, and a hash of the kernel's results for
// comparing targets bit for bit.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "dsp/fast_math.h"

namespace {

constexpr std::size_t kCount = std::size_t{1} << 16;
constexpr int kRuns = 7;
constexpr double kSecondsPerRun = 0.03;

// The sums end up here so that no call can be dropped.
volatile double sink;

template <typename Function>
double nanosecondsPerCall(const std::vector<double> &a, const std::vector<double> &b,
                          Function function) {
  using Clock = std::chrono::steady_clock;
  // Enough passes over the arrays for each run to last about kSecondsPerRun.
  int passes = 1;
  for (;;) {
    const auto start = Clock::now();
    double sum = 0;
    for (int pass = 0; pass < passes; ++pass)
      for (std::size_t i = 0; i < a.size(); ++i)
        sum += function(a[i], b[i]);
    sink = sum;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds >= kSecondsPerRun / 4 || passes >= (1 << 20))
      break;
    passes *= 2;
  }
  passes *= 4;
  std::vector<double> perCall;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    double sum = 0;
    for (int pass = 0; pass < passes; ++pass)
      for (std::size_t i = 0; i < a.size(); ++i)
        sum += function(a[i], b[i]);
    sink = sum;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    perCall.push_back(seconds * 1e9 / (static_cast<double>(passes) * a.size()));
  }
  std::sort(perCall.begin(), perCall.end());
  return perCall[kRuns / 2];
}

double relativeError(double got, long double want) {
  if (got == want)
    return 0;
  return static_cast<double>(std::fabs((got - want) / want));
}

std::uint64_t hashResults(const std::vector<double> &results) {
  std::uint64_t hash = 0xcbf29ce484222325; // FNV-1a over the bytes of each result
  for (double value : results) {
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    for (unsigned char byte : bytes)
      hash = (hash ^ byte) * 0x100000001b3;
  }
  return hash;
}

template <typename Fast, typename Library, typename Extended>
void report(const char *name, const std::vector<double> &a, const std::vector<double> &b, Fast fast,
            Library library, Extended extended) {
  const double fastNs = nanosecondsPerCall(a, b, fast);
  const double libraryNs = nanosecondsPerCall(a, b, library);
  double worstLibrary = 0, worstExtended = 0;
  std::vector<double> results(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    results[i] = fast(a[i], b[i]);
    worstLibrary = std::max(worstLibrary, relativeError(results[i], library(a[i], b[i])));
    worstExtended = std::max(worstExtended, relativeError(results[i], extended(a[i], b[i])));
  }
  std::printf("%-26s %8.2f %8.2f %12.3g %12.3g  %016llx\n", name, fastNs, libraryNs, worstLibrary,
              worstExtended, static_cast<unsigned long long>(hashResults(results)));
}

} // namespace

int main() {
  std::mt19937_64 random(20240611);
  auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  std::vector<double> expArgs(kCount), levels(kCount), hardExps(kCount), polyExps(kCount);
  std::vector<double> bigExps(kCount), unused(kCount, 0.0);
  // The arguments come from the kernels themselves, not the C library, so that every target sees
  // the same ones and the result hashes can be compared.
  for (std::size_t i = 0; i < kCount; ++i) {
    expArgs[i] = uniform(-50.0, 50.0);
    levels[i] = fastPow(10.0, uniform(-12.0, 6.0)); // detector levels and gains, 1e-12 .. 1e6
    hardExps[i] = uniform(-2.0, 2.0);
    polyExps[i] = uniform(-10.0, 10.0);
    // Exponents for which exponent * log(level) spans -700 .. 700.
    bigExps[i] = uniform(-700.0, 700.0) / fastLog(levels[i]);
  }

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
  std::printf("note: sanitizer build, the times below are not representative\n");
#endif
  std::printf("%-26s %8s %8s %12s %12s  %s\n", "function (arguments)", "ns fast", "ns libm",
              "err vs libm", "err vs long", "result hash");
  report(
      "exp (-50..50)", expArgs, unused, [](double x, double) { return fastExp(x); },
      [](double x, double) { return std::exp(x); },
      [](double x, double) { return std::exp(static_cast<long double>(x)); });
  report(
      "log (1e-12..1e6)", levels, unused, [](double x, double) { return fastLog(x); },
      [](double x, double) { return std::log(x); },
      [](double x, double) { return std::log(static_cast<long double>(x)); });
  report(
      "log10 (1e-12..1e6)", levels, unused, [](double x, double) { return fastLog10(x); },
      [](double x, double) { return std::log10(x); },
      [](double x, double) { return std::log10(static_cast<long double>(x)); });
  const auto fastPower = [](double x, double y) { return fastPow(x, y); };
  const auto libraryPower = [](double x, double y) { return std::pow(x, y); };
  const auto extendedPower = [](double x, double y) {
    return std::pow(static_cast<long double>(x), static_cast<long double>(y));
  };
  report("pow (1e-12..1e6, -2..2)", levels, hardExps, fastPower, libraryPower, extendedPower);
  report("pow (1e-12..1e6, -10..10)", levels, polyExps, fastPower, libraryPower, extendedPower);
  report("pow (y log x in -700..700)", levels, bigExps, fastPower, libraryPower, extendedPower);
  return 0;
}
