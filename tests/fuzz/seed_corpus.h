// The seed-writer mode of every fuzz target: `TARGET --write-seeds DIR` writes the target's seed
// corpus into DIR and exits, before libFuzzer reads its own flags.
#pragma once

#include <cstdint>
#include <vector>

using SeedCorpus = std::vector<std::vector<std::uint8_t>>;

// Call from LLVMFuzzerInitialize. Returns when the arguments do not ask for seeds.
void writeSeedsIfAsked(int argc, char **argv, SeedCorpus (*seeds)());
