#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kviltora::fuzz {

// Aborts, so that libFuzzer, the replay driver and the sanitizers all see a
// broken property as a crash and keep the input that broke it.
[[noreturn]] inline void Fail(std::string_view property, std::string_view detail) {
  std::fprintf(stderr, "property broken: %.*s\n  [%.*s]\n", static_cast<int>(property.size()),
               property.data(), static_cast<int>(detail.size()), detail.data());
  std::abort();
}

inline void Require(bool holds, std::string_view property, std::string_view detail = {}) {
  if (!holds) Fail(property, detail);
}

}  // namespace kviltora::fuzz
