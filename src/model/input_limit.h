#pragma once

#include <string>
#include <string_view>

namespace kviltora {

// What the input box keeps of a typed or pasted text: its first
// kInputMaxUnits UTF-16 units, without any half of a character beyond U+FFFF.
// A cut through such a character leaves a lone half, which is dropped with any
// other, or the box would show a broken glyph where the form holds "?".
std::u16string FitInput(std::u16string_view typed);

}  // namespace kviltora
