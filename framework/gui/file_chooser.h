// Asks the user for files or a folder: through the host when it offers file selection, else
// through the system's open and save dialogs. Lives for one selection: construct, run, read the
// paths from the request, delete.
#pragma once

#include <cstdint>

#include "effect/plugin_interface.h"

class EffectExtended;

class FileChooser {
public:
  explicit FileChooser(EffectExtended *effect);
  virtual ~FileChooser();

  FileChooser(const FileChooser &) = delete;
  FileChooser &operator=(const FileChooser &) = delete;

  // The number of paths chosen; 0 when cancelled or refused.
  std::int32_t run(VstFileSelect *request);

  bool usedHost() const { return hostSelection; }

private:
  bool hostOffersSelection() const;
  std::int32_t runSystemDialog();
  void *ownerWindow() const;

  EffectExtended *effect;
  VstFileSelect *request = nullptr;
  bool hostSelection = false;
};
