#include "plugin_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

PluginLibrary::~PluginLibrary() { unload(); }

bool PluginLibrary::load(const std::string &path) {
  unload();
#ifdef _WIN32
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) {
    lastError = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  handle = module;
  FARPROC symbol = GetProcAddress(module, "main");
#else
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char *reason = dlerror();
    lastError = "cannot load " + path + (reason ? std::string(": ") + reason : std::string());
    return false;
  }
  void *symbol = dlsym(handle, "main");
#endif
  if (!symbol) {
    lastError = path + " exports no main";
    unload();
    return false;
  }
  entryProc = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void (*)()>(symbol));
  return true;
}

void PluginLibrary::unload() {
  if (handle) {
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
  }
  handle = nullptr;
  entryProc = nullptr;
}
