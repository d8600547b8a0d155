// The render tool's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class RenderMode { render, info, bench, generate, help };

// `--set KEY=VALUE`: KEY is a parameter's index or its name, VALUE the host-side value 0..1.
struct ParameterSetting {
  std::string key;
  float value = 0.0f;
};

struct RenderOptions {
  RenderMode mode = RenderMode::render;
  std::string plugin;
  std::string input;   // optional for --bench (the built-in material is used without one)
  std::string output;  // render only
  std::string program; // index or name; empty keeps the plug-in's own
  std::vector<ParameterSetting> settings;
  int blockSize = 512;
  bool compensate = false;
  bool floatOutput = false;
  int benchRuns = 0;
  std::string generateDirectory;
  std::uint32_t generateRate = 44100;
};

// False with a one-line reason in `error` for a command line that does not parse. `arguments`
// excludes the program name.
bool parseRenderOptions(const std::vector<std::string> &arguments, RenderOptions &options,
                        std::string &error);

extern const char *const kRenderUsage;
