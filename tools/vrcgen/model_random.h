// SPDX-License-Identifier: GPL-3.0-or-later
// A small seeded random source whose sequence is fixed by this code alone, so
// that a synthetic session is byte-for-byte the same on every machine and
// library (the standard distributions do not promise that).
#pragma once

#include <cstdint>

namespace veltrasko {

class ModelRandom {
 public:
  explicit ModelRandom(std::uint64_t seed) : state_(seed) {}

  // splitmix64: every seed, zero included, gives a well-mixed sequence.
  std::uint64_t NextBits() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [low, high).
  double Uniform(double low, double high) {
    const double unit = static_cast<double>(NextBits() >> 11) * 0x1.0p-53;
    return low + (high - low) * unit;
  }

  // Uniform in [low, high], both inclusive.
  std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
    return low + static_cast<std::uint32_t>(NextBits() % (static_cast<std::uint64_t>(high) - low + 1));
  }

 private:
  std::uint64_t state_;
};

}  // namespace veltrasko
