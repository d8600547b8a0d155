// The free functions whose addresses the AEffect record carries; each finds its instance through
// the record's `object` field.
#pragma once

#include "plugin_interface.h"

extern "C" {
VstIntPtr VSTCALLBACK recordDispatcher(AEffect *record, VstInt32 opcode, VstInt32 index,
                                       VstIntPtr value, void *ptr, float opt);
void VSTCALLBACK recordProcess(AEffect *record, float **inputs, float **outputs,
                               VstInt32 sampleFrames);
void VSTCALLBACK recordProcessReplacing(AEffect *record, float **inputs, float **outputs,
                                        VstInt32 sampleFrames);
void VSTCALLBACK recordSetParameter(AEffect *record, VstInt32 index, float value);
float VSTCALLBACK recordGetParameter(AEffect *record, VstInt32 index);
}
