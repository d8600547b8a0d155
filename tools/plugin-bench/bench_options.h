// Command line of plugin-bench.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct BenchOptions {
  std::string plugin;
  int program = -1; // -1: keep the plug-in's own
  std::vector<std::pair<int, float>> parameters;
  int runs = 15;
  double seconds = 10.0;
};

// False with a reason in `error` for a command line that does not parse.
bool parseBenchOptions(int argc, char **argv, BenchOptions &options, std::string &error);

extern const char *const kBenchUsage;
