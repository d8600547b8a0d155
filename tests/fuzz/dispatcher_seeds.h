// Host sessions written by our own encoder, from which the dispatcher targets start: a usual
// host's life, every opcode, every program and parameter, hostile numbers and texts.
#pragma once

#include "seed_corpus.h"

SeedCorpus dispatcherSeeds();
