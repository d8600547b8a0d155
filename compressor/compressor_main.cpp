// DW5K's exported entry: the compressor with its editor.
#include "compressor_edit_effect.h"
#include "effect/plugin_entry.h"

extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host) {
  return createPluginEffect<CompressorEditEffect>(host);
}
