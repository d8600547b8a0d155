#include "limiter_edit_effect.h"

#include <new>

#include "effect/plugin_entry.h"
#include "limiter_editor.h"

LimiterEditEffect::LimiterEditEffect(audioMasterCallback host) : LimiterEffect(host) {
  setUniqueID(kLimiterUniqueId);
  // The editor registers itself with this effect, which also raises the editor flag.
  if (!new (std::nothrow) LimiterEditor(this))
    outOfMemory = true;
}

void LimiterEditEffect::setParameter(VstInt32 index, float value) {
  LimiterEffect::setParameter(index, value);
  if (editor)
    static_cast<GuiEditor *>(editor)->setParameter(index, value);
}
