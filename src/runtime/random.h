#pragma once

#include <cstdint>
#include <random>

namespace kviltora {

// Seeds the program's generator from the clock, so each run proposes other fractions.
void SeedRandom();
// A fixed seed gives a repeatable sequence.
void SeedRandom(std::uint32_t seed);
// The next number of the sequence, 0 <= u < 1.
float NextRandom();

// A number from the clock, below `below`, for a caller that needs a seed of its own.
std::uint32_t SeedFromClock(std::uint32_t below);

// While it lives, the generator runs from a fixed seed; then it goes on with
// the sequence it had, so that a repeatable draw leaves the window's proposals
// as they were.
class FixedSeed {
 public:
  explicit FixedSeed(std::uint32_t seed);
  ~FixedSeed();
  FixedSeed(const FixedSeed&) = delete;
  FixedSeed& operator=(const FixedSeed&) = delete;

 private:
  std::mt19937 saved_;
};

}  // namespace kviltora
