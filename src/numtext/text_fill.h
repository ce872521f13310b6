#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kviltora {

// The pattern with each "%" replaced by the next value: one place that joins
// the rooms' texts, rather than a chain of concatenations in every one of them.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

// 7812500 as Bulgarian writes it, "7 812 500".
std::string Grouped(std::uint64_t n);

}  // namespace kviltora
