#include "plugin_report.h"

#include <cstdio>
#include <sstream>

std::string fourCharacters(VstInt32 id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((static_cast<std::uint32_t>(id) >> shift) & 0xFF);
    text += (c >= 32 && c < 127) ? c : '.';
  }
  return text;
}

std::string describePlugin(HostedEffect &effect) {
  const AEffect &record = *effect.record();
  std::ostringstream out;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(record.uniqueID));
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%X", static_cast<unsigned>(record.flags));

  out << "effect name:    " << effect.effectName() << '\n'
      << "vendor:         " << effect.vendorString() << '\n'
      << "product:        " << effect.productString() << '\n'
      << "vendor version: " << effect.dispatch(effGetVendorVersion) << '\n'
      << "unique ID:      " << fourCharacters(record.uniqueID) << " (" << hex << ")\n"
      << "category:       " << effect.dispatch(effGetPlugCategory) << '\n'
      << "flags:          " << flags << '\n'
      << "inputs/outputs: " << record.numInputs << '/' << record.numOutputs << '\n'
      << "latency:        " << record.initialDelay << " samples\n"
      << "parameters:     " << record.numParams << '\n';
  for (VstInt32 i = 0; i < record.numParams; ++i) {
    char value[32];
    std::snprintf(value, sizeof value, "%.6f", static_cast<double>(effect.getParameter(i)));
    out << "  " << i << "  " << effect.paramName(i) << "  value " << value << "  display \""
        << effect.paramDisplay(i) << "\"  label \"" << effect.paramLabel(i) << "\"\n";
  }
  out << "programs:       " << record.numPrograms << '\n';
  for (VstInt32 i = 0; i < record.numPrograms; ++i)
    out << "  " << i << "  " << effect.programNameIndexed(i) << '\n';
  return out.str();
}
