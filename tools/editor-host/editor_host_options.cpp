#include "editor_host_options.h"

#include <cstdlib>

const char *const kEditorHostUsage =
    "usage: editor-host PLUGIN [--program N|NAME] [--set NAME_OR_INDEX=VALUE]...\n"
    "                   [--signal NAME|--audio IN.wav] [--screenshot OUT.png|OUT.bmp --after MS]\n"
    "                   [--quit-after MS] [--host-can CAPABILITY]...\n"
    "Opens the plug-in's editor in a window and plays audio through it in real time (silence,\n"
    "a generated signal: drum-and-bass, sine-sweep or step-tone, or a WAV file, looped). Every\n"
    "call the plug-in makes to the host is printed as one line. Escape or closing the window\n"
    "quits.\n";

std::vector<std::string> editorHostSignalNames() {
  return {"drum-and-bass", "sine-sweep", "step-tone"};
}

namespace {

bool parseMilliseconds(const std::string &option, const std::string &value, int &result,
                       std::string &error) {
  char *end = nullptr;
  const long parsed = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || parsed < 1 || parsed > 86400000) {
    error = option + " needs milliseconds from 1 to 86400000, got \"" + value + "\"";
    return false;
  }
  result = static_cast<int>(parsed);
  return true;
}

bool parseSetting(const std::string &value, ParameterSetting &setting, std::string &error) {
  const std::size_t equals = value.find('=');
  char *end = nullptr;
  const std::string number = equals == std::string::npos ? "" : value.substr(equals + 1);
  const float parsed = std::strtof(number.c_str(), &end);
  if (equals == 0 || equals == std::string::npos || number.empty() || *end != '\0' ||
      !(parsed >= 0.0f && parsed <= 1.0f)) {
    error = "--set needs NAME_OR_INDEX=VALUE with VALUE from 0 to 1, got \"" + value + "\"";
    return false;
  }
  setting.key = value.substr(0, equals);
  setting.value = parsed;
  return true;
}

} // namespace

bool parseEditorHostOptions(const std::vector<std::string> &arguments, EditorHostOptions &options,
                            std::string &error) {
  bool afterGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string &argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      return true;
    }
    if (argument.size() > 1 && argument[0] == '-') {
      if (i + 1 >= arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      const std::string &value = arguments[++i];
      if (argument == "--program") {
        options.program = value;
      } else if (argument == "--set") {
        ParameterSetting setting;
        if (!parseSetting(value, setting, error))
          return false;
        options.settings.push_back(setting);
      } else if (argument == "--signal") {
        bool known = false;
        for (const std::string &name : editorHostSignalNames())
          known = known || name == value;
        if (!known) {
          error = "--signal needs drum-and-bass, sine-sweep or step-tone, got \"" + value + "\"";
          return false;
        }
        options.signal = value;
      } else if (argument == "--audio") {
        options.audioFile = value;
      } else if (argument == "--screenshot") {
        options.screenshot = value;
      } else if (argument == "--after") {
        if (!parseMilliseconds(argument, value, options.screenshotAfterMs, error))
          return false;
        afterGiven = true;
      } else if (argument == "--quit-after") {
        if (!parseMilliseconds(argument, value, options.quitAfterMs, error))
          return false;
      } else if (argument == "--host-can") {
        options.hostCanDo.push_back(value);
      } else {
        error = "unknown option " + argument;
        return false;
      }
    } else if (options.plugin.empty()) {
      options.plugin = argument;
    } else {
      error = "too many arguments: " + argument;
      return false;
    }
  }
  if (options.plugin.empty()) {
    error = "missing plug-in";
    return false;
  }
  if (!options.signal.empty() && !options.audioFile.empty()) {
    error = "--signal and --audio exclude each other";
    return false;
  }
  if (afterGiven != !options.screenshot.empty()) {
    error = "--screenshot and --after go together";
    return false;
  }
  return true;
}
