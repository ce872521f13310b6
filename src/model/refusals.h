#pragma once

#include <string_view>

namespace kviltora {

// Why a calculation cannot start: without a digit count the loop has no
// bound, and an overflowing input would put infinities in the trace. The
// exercise refuses with the same words for the same reasons.
inline constexpr std::string_view kChooseCount = "Изберете брой цифри от списъка „Брой цифри“.";
inline constexpr std::string_view kTooLarge = "Числото е твърде голямо.";

}  // namespace kviltora
