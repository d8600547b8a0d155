// H3R's entry point, exported as `main`: the limiter with its editor.
#include "effect/plugin_entry.h"
#include "limiter_edit_effect.h"

extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host) {
  return createPluginEffect<LimiterEditEffect>(host);
}
