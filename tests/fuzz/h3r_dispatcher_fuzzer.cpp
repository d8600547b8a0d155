// H3R through its record, created as its `main` creates it.
#include "dispatcher_seeds.h"
#include "effect/plugin_entry.h"
#include "host_session.h"
#include "limiter_effect.h"
#include "seed_corpus.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  writeSeedsIfAsked(*argc, *argv, dispatcherSeeds);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  runHostSession(data, size, createPluginEffect<LimiterEffect>);
  return 0;
}
