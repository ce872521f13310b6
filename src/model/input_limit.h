#pragma once

#include <string>
#include <string_view>

namespace kviltora {

// The input box as the user edits it, in UTF-16 units, as every shell counts them.
struct BoxEdit {
  std::u16string text;
  std::size_t caret;
};

// What the input box keeps of an edit that turned `before` into `after`, with
// the caret left at `caret`. The text the edit did not touch stays; of what it
// put in, the leading whole characters that fit in kInputMaxUnits units. So a
// full box refuses a typed character wherever the caret stands, instead of
// pushing its last digit out, and a long paste keeps its start. A character
// beyond U+FFFF is kept whole or not at all, and a lone half never. A comma
// put in becomes a point.
BoxEdit KeepEdit(std::u16string_view before, std::u16string_view after, std::size_t caret);

// The form keeps its texts in UTF-8.
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

}  // namespace kviltora
