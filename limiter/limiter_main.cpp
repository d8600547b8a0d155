// H3R's entry point, exported as `main`. The editor needs the Windows toolkit: elsewhere the
// host gets the effect alone.
#include "effect/plugin_entry.h"

#ifdef _WIN32
#include "limiter_edit_effect.h"
using H3REffect = LimiterEditEffect;
#else
#include "limiter_effect.h"
using H3REffect = LimiterEffect;
#endif

extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host) {
  return createPluginEffect<H3REffect>(host);
}
