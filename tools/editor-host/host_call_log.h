// One line per call a plug-in makes to the host: opcode name, index, value, opt (and the text of
// a capability query).
#pragma once

#include <string>

#include "recording_host.h"

// The host opcode's name; null for an opcode the interface does not name.
const char *hostOpcodeName(VstInt32 opcode);
std::string describeHostCall(const HostCall &call);
