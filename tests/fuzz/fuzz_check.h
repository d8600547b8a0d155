// How the fuzz targets report a broken promise: a clear line, then an abort that libFuzzer
// records with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void fuzzCheck(bool ok, const char *promise) {
  if (ok)
    return;
  std::fprintf(stderr, "fuzz check failed: %s\n", promise);
  std::abort();
}
