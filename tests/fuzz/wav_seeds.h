// WAV files written by our own writer, and variations of their layout that readers meet:
// extensible headers, 8-bit encodings, chunks before the audio, odd chunk sizes.
#pragma once

#include "seed_corpus.h"

SeedCorpus wavSeeds();
