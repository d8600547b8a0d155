#include "file_filter_rules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The name fields are fixed arrays that a careless caller may fill to the brim.
std::string fieldText(const char *field, std::size_t capacity) {
  return std::string(field, strnlen(field, capacity));
}

bool sameExtension(const std::string &a, const std::string &b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

void collect(std::vector<std::string> &extensions, const std::string &extension) {
  if (extension.empty() || extensions.size() >= kMaxCollectedExtensions)
    return;
  for (const std::string &known : extensions)
    if (sameExtension(known, extension))
      return;
  extensions.push_back(extension);
}

FileFilter typeFilter(const VstFileType &type) {
  const std::string extension = fieldText(type.dosType, sizeof type.dosType);
  return {fieldText(type.name, sizeof type.name) + " (." + extension + ")", "*." + extension};
}

} // namespace

std::vector<FileFilter> buildFileFilters(VstInt32 command, const VstFileType *types,
                                         VstInt32 typeCount) {
  std::vector<FileFilter> filters;
  const VstInt32 count = types ? std::max(typeCount, 0) : 0;
  switch (command) {
  case kVstFileSave:
    for (VstInt32 i = 0; i < count; ++i)
      filters.push_back(typeFilter(types[i]));
    return filters;
  case kVstFileLoad:
  case kVstMultipleFilesLoad:
    break;
  case kVstDirectorySelect:
    return {{"HideFileFilter", "HideFileFilter"}};
  default:
    return filters;
  }
  std::vector<std::string> extensions;
  for (VstInt32 i = 0; i < count; ++i) {
    FileFilter filter = typeFilter(types[i]);
    const std::string dos = fieldText(types[i].dosType, sizeof types[i].dosType);
    const std::string second = fieldText(types[i].unixType, sizeof types[i].unixType);
    if (!second.empty() && !sameExtension(second, dos))
      filter.pattern += ";*." + second;
    collect(extensions, dos);
    collect(extensions, second);
    filters.push_back(filter);
  }
  if (extensions.size() > 1) {
    std::string all;
    for (const std::string &extension : extensions)
      all += (all.empty() ? "*." : ";*.") + extension;
    filters.push_back({"All Types: (" + all + ")", all});
  }
  filters.push_back({"Any Type (*.*)", "*.*"});
  return filters;
}

std::string nativeFilterList(const std::vector<FileFilter> &filters) {
  std::string list;
  for (const FileFilter &filter : filters) {
    list += filter.label;
    list += '\0';
    list += filter.pattern;
    list += '\0';
  }
  list += '\0';
  return list;
}

std::string saveDialogTitle(const char *requestTitle, const std::string &currentTitle,
                            const std::string &folder) {
  std::string title;
  if (requestTitle && requestTitle[0]) {
    title = requestTitle;
  } else {
    const std::size_t dash = currentTitle.find('-');
    title = dash == std::string::npos ? currentTitle : currentTitle.substr(0, dash ? dash - 1 : 0);
  }
  return title + " - [" + folder + "]";
}

std::vector<std::string> selectedPaths(const char *buffer, std::size_t size) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at < size && buffer[at]) {
    const std::size_t length = strnlen(buffer + at, size - at);
    parts.emplace_back(buffer + at, length);
    at += length + 1;
  }
  if (parts.size() < 2)
    return parts;
  std::string folder = parts.front();
  if (folder.back() != '\\')
    folder += '\\';
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i)
    paths.push_back(folder + parts[i]);
  return paths;
}
