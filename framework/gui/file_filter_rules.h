// The texts of a file selection that do not need a window: the filter list the system dialogs
// show, their title, and the paths read back from a multiple selection. Tested natively.
#pragma once

#include <string>
#include <vector>

#include "effect/plugin_interface.h"

struct FileFilter {
  std::string label;   // what the dialog shows
  std::string pattern; // "*.ext", several joined by ";"
};

// At most this many distinct extensions make up the "All Types" entry.
constexpr std::size_t kMaxCollectedExtensions = 100;

// Save: one entry per type. Load and several files: one per type (its second extension added
// when it differs), an "All Types" entry when more than one extension occurred, and "Any Type".
// Folder: one pattern no file matches. Any other command: none.
std::vector<FileFilter> buildFileFilters(VstInt32 command, const VstFileType *types,
                                         VstInt32 typeCount);

// Label, pattern, label, pattern, ... each ended by a zero, the list by a second zero.
std::string nativeFilterList(const std::vector<FileFilter> &filters);

// The save dialog's title after a change of folder: the request's title, or else the current
// title without everything from the character before its first "-", then " - [folder]".
std::string saveDialogTitle(const char *requestTitle, const std::string &currentTitle,
                            const std::string &folder);

// A multiple selection comes back as "folder\0name\0name\0\0", a single file as "path\0\0":
// full paths either way, a backslash put between folder and name when the folder has none.
std::vector<std::string> selectedPaths(const char *buffer, std::size_t size);
