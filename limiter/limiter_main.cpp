// H3R's entry point, exported as `main`.
#include "effect/plugin_entry.h"
#include "limiter_effect.h"

extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host) {
  return createPluginEffect<LimiterEffect>(host);
}
