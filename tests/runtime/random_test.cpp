#include "random.h"

#include <gtest/gtest.h>

#include <vector>

namespace kviltora {
namespace {

std::vector<float> Draw(int count) {
  std::vector<float> numbers;
  for (int i = 0; i < count; ++i) numbers.push_back(NextRandom());
  return numbers;
}

TEST(NextRandom, StaysInTheHalfOpenUnitInterval) {
  SeedRandom(99);
  for (float u : Draw(1'000'000)) {
    ASSERT_GE(u, 0.0f);
    ASSERT_LT(u, 1.0f);
  }
}

TEST(NextRandom, RepeatsForTheSameSeed) {
  SeedRandom(5);
  const auto first = Draw(100);
  SeedRandom(5);
  EXPECT_EQ(Draw(100), first);
}

}  // namespace
}  // namespace kviltora
