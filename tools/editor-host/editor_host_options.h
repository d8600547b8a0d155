// The editor host's command line.
#pragma once

#include <string>
#include <vector>

#include "render_options.h"

struct EditorHostOptions {
  std::string plugin;
  std::string program; // index or name; empty keeps the plug-in's own
  std::vector<ParameterSetting> settings;
  std::string signal;    // a generated signal played in a loop; empty with neither: silence
  std::string audioFile; // a WAV file played in a loop
  std::string screenshot;
  int screenshotAfterMs = 0;
  int quitAfterMs = 0; // 0: run until the window is closed or Escape is pressed
  std::vector<std::string> hostCanDo;
  bool help = false;
};

// False with a one-line reason in `error`. `arguments` excludes the program name.
bool parseEditorHostOptions(const std::vector<std::string> &arguments, EditorHostOptions &options,
                            std::string &error);

extern const char *const kEditorHostUsage;
// Names accepted by --signal.
std::vector<std::string> editorHostSignalNames();
