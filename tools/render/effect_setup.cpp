#include "effect_setup.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

std::string folded(const std::string &text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
    ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
    --end;
  std::string result = text.substr(begin, end - begin);
  for (char &c : result)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

// A plain non-negative decimal index, or -1.
long indexIn(const std::string &key) {
  if (key.empty() || key.size() > 9 ||
      !std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::strtol(key.c_str(), nullptr, 10);
}

// Finds `key` among `count` entries named by `nameOf`; `what` names the kind in messages.
template <class NameOf>
bool findEntry(const std::string &key, int count, NameOf nameOf, const char *what, int &index,
               std::string &error) {
  const long number = indexIn(key);
  if (number >= 0) {
    if (number < count) {
      index = static_cast<int>(number);
      return true;
    }
    error = "unknown " + std::string(what) + " " + key + " (the plug-in has " +
            std::to_string(count) + ", numbered from 0)";
    return false;
  }
  const std::string wanted = folded(key);
  std::string known;
  for (int i = 0; i < count; ++i) {
    const std::string name = nameOf(i);
    if (folded(name) == wanted) {
      index = i;
      return true;
    }
    known += (i ? ", \"" : "\"") + name + "\"";
  }
  error = "unknown " + std::string(what) + " \"" + key + "\" (known: " + known + ")";
  return false;
}

} // namespace

bool findProgram(HostedEffect &effect, const std::string &key, int &index, std::string &error) {
  return findEntry(
      key, effect.record()->numPrograms, [&](int i) { return effect.programNameIndexed(i); },
      "program", index, error);
}

bool findParameter(HostedEffect &effect, const std::string &key, int &index, std::string &error) {
  return findEntry(
      key, effect.record()->numParams, [&](int i) { return effect.paramName(i); }, "parameter",
      index, error);
}

bool prepareForPlayback(HostedEffect &effect, const PlaybackSetup &setup, std::string &error) {
  const AEffect &record = *effect.record();
  if (record.numInputs != 2 || record.numOutputs != 2) {
    error = "the plug-in has " + std::to_string(record.numInputs) + " inputs and " +
            std::to_string(record.numOutputs) + " outputs; only 2 in / 2 out can be rendered";
    return false;
  }
  if (!record.processReplacing && !record.process) {
    error = "the plug-in has no process entry";
    return false;
  }
  effect.dispatch(effOpen);
  // Look everything up before the effect starts, so a typo changes nothing.
  int program = -1;
  if (!setup.program.empty() && !findProgram(effect, setup.program, program, error))
    return false;
  std::vector<std::pair<int, float>> values;
  for (const ParameterSetting &setting : setup.settings) {
    int index = 0;
    if (!findParameter(effect, setting.key, index, error))
      return false;
    values.emplace_back(index, setting.value);
  }

  effect.setSampleRate(static_cast<float>(setup.sampleRate));
  effect.setBlockSize(setup.blockSize);
  effect.resume();
  if (program >= 0)
    effect.setProgram(program);
  for (auto [index, value] : values)
    effect.setParameter(index, value);
  return true;
}

int reportedLatency(HostedEffect &effect) { return std::max(effect.record()->initialDelay, 0); }
