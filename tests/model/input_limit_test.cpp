#include "input_limit.h"

#include <gtest/gtest.h>

namespace kviltora {
namespace {

// An edit as a box reports it: the text before and after, and the caret after.
struct EditCase {
  std::u16string before, after;
  std::size_t caret;
  std::u16string kept;
  std::size_t keptCaret;
};

// U+1D7CE (a mathematical digit zero) is the pair D835 DFCE.
const EditCase kEditCases[] = {
    {u"0.4", u"0.45", 4, u"0.45", 4},
    {u"", u"дроб0.5лв", 9, u"дроб0.5лв", 9},
    {u"0.45", u"0.4", 3, u"0.4", 3},                    // Backspace
    {u"0.45", u"045", 1, u"045", 1},                    // Delete
    {u"045", u"0.45", 1, u"0.45", 2},                   // and undone, the caret before the point
    {u"0.1234567", u"0.91234567", 3, u"0.1234567", 2},  // a full box refuses, caret and all
    {u"123456789", u"1234567890", 10, u"123456789", 9},
    {u"0.45", u"0.333333333333333333", 20, u"0.3333333", 9},  // a paste keeps its start
    {u"0.45", u"0.41234567895", 12, u"0.4123455", 8},         // and the text after it
    {u"0.45", u"0.3", 3, u"0.3", 3},                          // a screen reader replaces it all
    {u"0.45", u"0.455", 0, u"0.455", 4},                      // a caret that says nothing
    {u"12345678", u"1234\U0001D7CE5678", 6, u"12345678", 4},  // no room for the pair
    {u"1234567", u"1234567\U0001D7CE9", 10, u"1234567\U0001D7CE", 9},
    {u"", u"\U0001D7CE\U0001D7CE\U0001D7CE\U0001D7CE\U0001D7CE", 10,
     u"\U0001D7CE\U0001D7CE\U0001D7CE\U0001D7CE", 8},
    {u"", std::u16string{u'a', 0xDC00, u'b', 0xD800}, 4, u"ab", 2},  // lone halves anywhere
    {u"0", u"0,", 2, u"0.", 2},                                      // a decimal comma typed,
    {u"", u"0,45", 4, u"0.45", 4},                                   // pasted,
    {u"12345678", u"12345678,9", 10, u"12345678.", 9},               // and at the limit
};

TEST(KeepEdit, KeepsTheUntouchedTextAndWhatFitsOfTheRestInNineUnits) {
  for (const EditCase& c : kEditCases) {
    const BoxEdit kept = KeepEdit(c.before, c.after, c.caret);
    EXPECT_EQ(kept.text, c.kept) << ToUtf8(c.before) << " -> " << ToUtf8(c.after);
    EXPECT_EQ(kept.caret, c.keptCaret) << ToUtf8(c.before) << " -> " << ToUtf8(c.after);
  }
}

TEST(Utf16, RoundTripsEveryKindOfCharacterAndMarksALoneHalf) {
  const std::string utf8 = "0.5 дроб „“ \xF0\x9D\x9F\x8E";
  EXPECT_EQ(ToUtf16(utf8), u"0.5 дроб „“ \U0001D7CE");
  EXPECT_EQ(ToUtf8(ToUtf16(utf8)), utf8);
  EXPECT_EQ(ToUtf8(std::u16string{u'a', 0xD800}), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kviltora
