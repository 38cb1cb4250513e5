#pragma once
// A small seeded generator whose sequence is the same on every platform and
// library, so that a seed always yields the same directory.

#include <cstdint>

class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, bound).
  uint64_t Below(uint64_t bound) {
    return static_cast<uint64_t>((static_cast<unsigned __int128>(Next()) * bound) >> 64);
  }
  int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint64_t>(high - low + 1))); }
  bool Chance(int percent) { return Below(100) < static_cast<uint64_t>(percent); }

  template <typename Container>
  const auto& Pick(const Container& items) {
    return items[Below(items.size())];
  }

 private:
  uint64_t state_;
};
