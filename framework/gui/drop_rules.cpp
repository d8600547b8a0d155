#include "drop_rules.h"

#include <cctype>
#include <cstring>

DropEffect dropEffectFor(bool accepted, bool controlHeld) {
  if (!accepted)
    return kDropEffectNone;
  return controlHeld ? kDropEffectCopy : kDropEffectMove;
}

bool isShortcutName(const char *name) {
  if (!name)
    return false;
  const std::size_t length = std::strlen(name);
  if (length < 4)
    return false;
  const char *ending = name + length - 4;
  const char *lnk = ".lnk";
  for (int i = 0; i < 4; ++i)
    if (std::tolower(static_cast<unsigned char>(ending[i])) != lnk[i])
      return false;
  return true;
}
