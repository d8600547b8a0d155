#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

const char *const kRenderUsage =
    "usage: render PLUGIN IN.wav OUT.wav [--program N|NAME] [--set NAME_OR_INDEX=VALUE]...\n"
    "                                    [--block N] [--compensate] [--float]\n"
    "       render --info PLUGIN\n"
    "       render --bench RUNS PLUGIN [IN.wav] [--program ...] [--set ...] [--block N]\n"
    "       render --generate DIRECTORY [--rate HZ]\n"
    "VALUE is the host-side parameter value, 0 to 1. Without IN.wav --bench renders 10 s of the\n"
    "example loop followed by a minute of silence.\n";

namespace {

constexpr int kLargestBlock = 16384;

bool parseInteger(const std::string &text, long lowest, long highest, long &value) {
  if (text.empty())
    return false;
  char *end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < lowest || parsed > highest)
    return false;
  value = parsed;
  return true;
}

bool parseUnitValue(const std::string &text, float &value) {
  if (text.empty())
    return false;
  char *end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(parsed))
    return false;
  value = static_cast<float>(parsed);
  return true;
}

// One option and its value; false with `error` set when it does not parse.
bool parseOption(const std::string &option, const std::string &value, RenderOptions &options,
                 std::string &error) {
  long number = 0;
  if (option == "--program") {
    if (value.empty()) {
      error = "--program needs a program number or name";
      return false;
    }
    options.program = value;
  } else if (option == "--set") {
    const auto equals = value.find('=');
    ParameterSetting setting;
    if (equals == std::string::npos || equals == 0) {
      error = "--set needs NAME_OR_INDEX=VALUE, got \"" + value + "\"";
      return false;
    }
    setting.key = value.substr(0, equals);
    const std::string text = value.substr(equals + 1);
    if (!parseUnitValue(text, setting.value)) {
      error = "value of " + setting.key + " is not a number: \"" + text + "\"";
      return false;
    }
    if (setting.value < 0.0f || setting.value > 1.0f) {
      error = "value of " + setting.key + " is outside 0 to 1: " + text;
      return false;
    }
    options.settings.push_back(setting);
  } else if (option == "--block") {
    if (!parseInteger(value, 1, kLargestBlock, number)) {
      error = "--block needs a whole number from 1 to " + std::to_string(kLargestBlock) +
              ", got \"" + value + "\"";
      return false;
    }
    options.blockSize = static_cast<int>(number);
  } else if (option == "--bench") {
    if (!parseInteger(value, 1, 10000, number)) {
      error = "--bench needs a number of runs from 1 to 10000, got \"" + value + "\"";
      return false;
    }
    options.mode = RenderMode::bench;
    options.benchRuns = static_cast<int>(number);
  } else if (option == "--rate") {
    if (!parseInteger(value, 8000, 768000, number)) {
      error = "--rate needs a sample rate from 8000 to 768000 Hz, got \"" + value + "\"";
      return false;
    }
    options.generateRate = static_cast<std::uint32_t>(number);
  } else if (option == "--generate") {
    options.mode = RenderMode::generate;
    options.generateDirectory = value;
  }
  return true;
}

bool takesValue(const std::string &option) {
  return option == "--program" || option == "--set" || option == "--block" || option == "--bench" ||
         option == "--rate" || option == "--generate";
}

} // namespace

bool parseRenderOptions(const std::vector<std::string> &arguments, RenderOptions &options,
                        std::string &error) {
  std::vector<std::string> positional;
  bool info = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string &argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.mode = RenderMode::help;
      return true;
    }
    if (argument == "--info") {
      info = true;
    } else if (argument == "--compensate") {
      options.compensate = true;
    } else if (argument == "--float") {
      options.floatOutput = true;
    } else if (takesValue(argument)) {
      if (i + 1 >= arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      if (!parseOption(argument, arguments[++i], options, error))
        return false;
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option " + argument;
      return false;
    } else {
      positional.push_back(argument);
    }
  }

  if (info)
    options.mode = RenderMode::info;
  const std::size_t count = positional.size();
  switch (options.mode) {
  case RenderMode::info:
    if (count != 1) {
      error = "--info needs exactly one plug-in";
      return false;
    }
    options.plugin = positional[0];
    return true;
  case RenderMode::bench:
    if (count < 1 || count > 2) {
      error = "--bench needs a plug-in and at most one input file";
      return false;
    }
    options.plugin = positional[0];
    options.input = count == 2 ? positional[1] : std::string();
    return true;
  case RenderMode::generate:
    if (count != 0 || options.generateDirectory.empty()) {
      error = "--generate needs exactly one directory";
      return false;
    }
    return true;
  default:
    if (count != 3) {
      error = count < 3 ? "missing " + std::string(count == 0   ? "plug-in, input and output"
                                                   : count == 1 ? "input and output"
                                                                : "output")
                        : "too many arguments: " + positional[3];
      return false;
    }
    options.plugin = positional[0];
    options.input = positional[1];
    options.output = positional[2];
    return true;
  }
}
