#pragma once

#include <cstdint>

namespace kviltora {

// Seeds the program's generator from the clock, so each run proposes other fractions.
void SeedRandom();
// A fixed seed gives a repeatable sequence.
void SeedRandom(std::uint32_t seed);
// The next number of the sequence, 0 <= u < 1.
float NextRandom();

}  // namespace kviltora
