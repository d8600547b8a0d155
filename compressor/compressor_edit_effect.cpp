#include "compressor_edit_effect.h"

#include <new>

#include "compressor_editor.h"
#include "effect/plugin_entry.h"

CompressorEditEffect::CompressorEditEffect(audioMasterCallback host) : CompressorEffect(host) {
  setUniqueID(kCompressorUniqueId);
  // The editor registers itself with this effect, which also raises the editor flag.
  if (!new (std::nothrow) CompressorEditor(this))
    outOfMemory = true;
}

void CompressorEditEffect::setParameter(VstInt32 index, float value) {
  CompressorEffect::setParameter(index, value);
  if (editor)
    static_cast<GuiEditor *>(editor)->setParameter(index, value);
}
