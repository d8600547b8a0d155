// Loads a plug-in library and finds its `main` export, as a host does.
#pragma once

#include <string>

#include "effect/plugin_interface.h"

class PluginLibrary {
public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary &) = delete;
  PluginLibrary &operator=(const PluginLibrary &) = delete;

  // False with a one-line reason in error() when the file does not load or exports no `main`.
  bool load(const std::string &path);
  void unload();

  PluginEntryProc entry() const { return entryProc; }
  const std::string &error() const { return lastError; }

private:
  void *handle = nullptr;
  PluginEntryProc entryProc = nullptr;
  std::string lastError;
};
