// Memory a host owns for the length of one call, allocated at exactly its size so that
// AddressSanitizer reports any access past its end, and compared afterwards with what the host
// put there so that the harness can tell whether the effect wrote into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class HostBlock {
public:
  HostBlock() = default;
  HostBlock(std::size_t bytes, std::uint8_t fill);

  void *data() const { return storage.get(); }
  std::size_t size() const { return bytes; }

  // Takes the present contents as what the host handed over.
  void seal();
  // The contents are still what the host handed over.
  bool untouched() const;
  // A terminator lies within the block.
  bool terminated() const;

private:
  std::unique_ptr<std::uint8_t[]> storage;
  std::size_t bytes = 0;
  std::vector<std::uint8_t> handedOver;
};
