#include "bench_options.h"

#include <cstdlib>
#include <cstring>

const char *const kBenchUsage =
    "usage: plugin-bench PLUGIN [--program N] [--set INDEX=VALUE]... [--runs N] [--seconds S]\n";

namespace {

bool parseInt(const char *text, int &value) {
  char *end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < -1000000 || parsed > 1000000)
    return false;
  value = static_cast<int>(parsed);
  return true;
}

bool parseDouble(const char *text, double &value) {
  char *end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0';
}

// INDEX=VALUE
bool parseSetting(const char *text, std::pair<int, float> &setting) {
  const char *equals = std::strchr(text, '=');
  if (!equals)
    return false;
  const std::string index(text, equals);
  double value;
  if (!parseInt(index.c_str(), setting.first) || setting.first < 0 ||
      !parseDouble(equals + 1, value))
    return false;
  setting.second = static_cast<float>(value);
  return true;
}

} // namespace

bool parseBenchOptions(int argc, char **argv, BenchOptions &options, std::string &error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    bool ok = true;
    if (arg == "--program" && hasValue) {
      ok = parseInt(argv[++i], options.program) && options.program >= 0;
    } else if (arg == "--set" && hasValue) {
      std::pair<int, float> setting;
      ok = parseSetting(argv[++i], setting);
      options.parameters.push_back(setting);
    } else if (arg == "--runs" && hasValue) {
      ok = parseInt(argv[++i], options.runs) && options.runs > 0;
    } else if (arg == "--seconds" && hasValue) {
      ok = parseDouble(argv[++i], options.seconds) && options.seconds > 0.0 &&
           options.seconds <= 600.0;
    } else if (arg.rfind("--", 0) != 0 && options.plugin.empty()) {
      options.plugin = arg;
    } else {
      error = "unexpected argument: " + arg;
      return false;
    }
    if (!ok) {
      error = "bad value for " + arg + ": " + argv[i];
      return false;
    }
  }
  if (options.plugin.empty()) {
    error = "no plug-in given";
    return false;
  }
  return true;
}
