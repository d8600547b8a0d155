// What a plug-in tells a host about itself, as readable text.
#pragma once

#include <string>

#include "recording_host.h"

std::string describePlugin(HostedEffect &effect);
// The four characters of an identifier such as 0x69773639 ("iw69"), '.' for unprintable ones.
std::string fourCharacters(VstInt32 id);
