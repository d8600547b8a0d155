#include "plugin_entry.h"

#ifdef _WIN32
#include <windows.h>
#endif

void *moduleHandle = nullptr;
bool outOfMemory = false;

bool hostAcceptsPlugin(audioMasterCallback host) {
  return host && host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) != 0;
}

#ifdef _WIN32
// Lives beside hostAcceptsPlugin so that linking any plug-in's `main` brings it in.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  moduleHandle = instance;
  return TRUE;
}
#endif
