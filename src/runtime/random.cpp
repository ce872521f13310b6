#include "random.h"

#include <chrono>
#include <random>

namespace kviltora {
namespace {

std::mt19937& Generator() {
  static std::mt19937 generator;
  return generator;
}

std::uint32_t ClockBits() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

}  // namespace

void SeedRandom() {
  SeedRandom(ClockBits());
}

void SeedRandom(std::uint32_t seed) {
  Generator().seed(seed);
}

float NextRandom() {
  // 24 random bits fill a float's significand exactly, so the result can never
  // round up to 1 the way a scaled 32-bit value can.
  constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
  return static_cast<float>(Generator()() >> 8) * kTwoToMinus24;
}

std::uint32_t SeedFromClock(std::uint32_t below) {
  return ClockBits() % below;
}

FixedSeed::FixedSeed(std::uint32_t seed) : saved_(Generator()) {
  SeedRandom(seed);
}

FixedSeed::~FixedSeed() {
  Generator() = saved_;
}

}  // namespace kviltora
