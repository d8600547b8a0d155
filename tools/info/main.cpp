// plugin-info PLUGIN: loads a plug-in as a host would and prints what it answers.
#include <cstdio>

#include "plugin_report.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: plugin-info PLUGIN\n");
    return 2;
  }
  LoadedPlugin plugin;
  std::string error;
  if (!plugin.open(argv[1], error)) {
    std::fprintf(stderr, "plugin-info: %s\n", error.c_str());
    return 1;
  }
  std::fputs(describePlugin(*plugin.effect).c_str(), stdout);
  return 0;
}
