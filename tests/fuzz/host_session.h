// A host that drives one effect through its record with the calls a fuzz input decodes to
// (host_script.h), checking every answer, and closes it when the input ends.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effect/plugin_interface.h"

// How the plug-in's `main` creates its effect: null when it refuses.
using EffectFactory = AEffect *(*)(audioMasterCallback host);

void runHostSession(const std::uint8_t *data, std::size_t size, EffectFactory create);
