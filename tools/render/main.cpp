// render: runs WAV files through a plug-in loaded and driven as a host does; also shows what a
// plug-in answers, benchmarks it and writes example material. `render --help` shows the usage.
#include <cstdio>

#include "render_command.h"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char **argv) {
#ifdef _WIN32
  // A broken library must give our one-line message, not a dialog box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
#endif
  return runRenderCommand(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}
