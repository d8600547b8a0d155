#include "seed_corpus.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

void writeSeedsIfAsked(int argc, char **argv, SeedCorpus (*seeds)()) {
  if (argc != 3 || std::strcmp(argv[1], "--write-seeds") != 0)
    return;
  const SeedCorpus corpus = seeds();
  for (std::size_t i = 0; i < corpus.size(); ++i) {
    const std::string path = std::string(argv[2]) + "/seed-" + std::to_string(i);
    std::FILE *file = std::fopen(path.c_str(), "wb");
    const bool written =
        file && std::fwrite(corpus[i].data(), 1, corpus[i].size(), file) == corpus[i].size();
    if (!file || std::fclose(file) != 0 || !written) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      std::exit(1);
    }
  }
  std::printf("%zu seeds written to %s\n", corpus.size(), argv[2]);
  std::exit(0);
}
