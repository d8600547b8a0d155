// Program-name rules both plug-ins share: names live in 24-byte fields, and a program still
// called "Init" is shown with its one-based number.
#pragma once

#include <cstdio>
#include <cstring>

constexpr int kProgramNameSize = 24;

// Longer names are cut to 23 characters so the terminator always fits.
inline void storeProgramName(char (&field)[kProgramNameSize], const char *text) {
  const std::size_t length = strnlen(text, kProgramNameSize - 1);
  std::memcpy(field, text, length);
  field[length] = '\0';
}

// What the host is shown for the current program: "Init 3" for an unnamed third program.
inline void showProgramName(const char (&field)[kProgramNameSize], int index, char *text) {
  if (std::strcmp(field, "Init") == 0)
    std::snprintf(text, kProgramNameSize, "%s %d", field, index + 1);
  else
    std::memcpy(text, field, std::strlen(field) + 1);
}

// One program: a plug-in's parameter set and its name; a new one is called "Init".
template <class Parameters> struct Program {
  Parameters parameters;
  char name[kProgramNameSize] = "Init";
};
