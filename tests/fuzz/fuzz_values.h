// Integers and floats decoded in the forms of host_script.h, biased towards the values that
// break code: limits, signs, NaN, infinities, denormals and sample rates at the edges.
#pragma once

#include "effect/plugin_interface.h"
#include "fuzz_bytes.h"

VstInt32 readInt32(FuzzBytes &in);
VstIntPtr readIntPtr(FuzzBytes &in);
float readFloat(FuzzBytes &in);
