// The library-wide state of a plug-in module and the steps every plug-in's `main` follows.
#pragma once

#include <new>

#include "effect_base.h"

// The module instance handle, stored by the library entry point; null outside Windows.
extern void *moduleHandle;
// Set by an effect that could not create its editor; never cleared.
extern bool outOfMemory;

// True when the host is there and answers the version probe.
bool hostAcceptsPlugin(audioMasterCallback host);

// The body of a plug-in's `main`: probe the host, build the effect, give up on a failed editor.
template <class Effect> AEffect *createPluginEffect(audioMasterCallback host) {
  if (!hostAcceptsPlugin(host))
    return nullptr;
  EffectBase *effect = nullptr;
  try {
    effect = new (std::nothrow) Effect(host);
  } catch (...) {
    return nullptr; // nothing may be thrown into the host
  }
  if (!effect)
    return nullptr;
  if (outOfMemory) {
    delete effect;
    return nullptr;
  }
  return effect->getAeffect();
}

// Every plug-in defines `pluginMain`; the library exports it under the name `main` (through the
// module-definition file on Windows, through the symbol name elsewhere).
#ifdef _WIN32
extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host);
#else
extern "C" __attribute__((visibility("default"))) AEffect *
pluginMain(audioMasterCallback host) __asm__("main");
#endif
