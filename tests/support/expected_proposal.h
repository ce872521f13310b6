#pragma once

#include <cmath>
#include <cstdint>

#include "random.h"

namespace kviltora::testing_support {

// The fraction a proposal from `range` makes of the first draw after seeding,
// worked out here rather than by the program: (floor(r * u) mod r + 1) / r in
// double, with the single-precision u widened. Leaves the generator seeded and
// one draw on.
inline double ExpectedProposal(std::uint32_t seed, double range) {
  SeedRandom(seed);
  const double u = NextRandom();
  return (std::fmod(std::floor(range * u), range) + 1) / range;
}

}  // namespace kviltora::testing_support
