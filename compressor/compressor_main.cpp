// DW5K's exported entry. Until the editor exists the host gets the effect without one.
#include "compressor_effect.h"
#include "effect/plugin_entry.h"

extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host) {
  return createPluginEffect<CompressorEffect>(host);
}
