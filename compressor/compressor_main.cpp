// DW5K's exported entry. The editor needs the Windows toolkit: elsewhere the host gets the
// effect alone.
#include "effect/plugin_entry.h"

#ifdef _WIN32
#include "compressor_edit_effect.h"
using DW5KEffect = CompressorEditEffect;
#else
#include "compressor_effect.h"
using DW5KEffect = CompressorEffect;
#endif

extern "C" AEffect *VSTCALLBACK pluginMain(audioMasterCallback host) {
  return createPluginEffect<DW5KEffect>(host);
}
