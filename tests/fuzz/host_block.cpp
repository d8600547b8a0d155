#include "host_block.h"

#include <algorithm>
#include <cstring>

HostBlock::HostBlock(std::size_t bytes, std::uint8_t fill)
    : storage(new std::uint8_t[bytes]), bytes(bytes) {
  std::memset(storage.get(), fill, bytes);
  seal();
}

void HostBlock::seal() { handedOver.assign(storage.get(), storage.get() + bytes); }

bool HostBlock::untouched() const {
  return std::equal(handedOver.begin(), handedOver.end(), storage.get());
}

bool HostBlock::terminated() const {
  return bytes > 0 && std::memchr(storage.get(), 0, bytes) != nullptr;
}
