#include "input_limit.h"

#include <gtest/gtest.h>

namespace kviltora {
namespace {

struct FitCase {
  std::u16string typed, kept;
};

// U+1D7CE (a mathematical digit zero) is the pair D835 DFCE.
const FitCase kFitCases[] = {
    {u"0.45", u"0.45"},
    {u"", u""},
    {u"123456789", u"123456789"},
    {u"0.333333333333333333", u"0.3333333"},
    {u"дроб0.5лв", u"дроб0.5лв"},
    {u"0.12345\U0001D7CE", u"0.12345\U0001D7CE"},  // the pair ends at the ninth unit
    {u"0.123456\U0001D7CE", u"0.123456"},          // the limit falls inside the pair
    {u"0.1234567\U0001D7CE", u"0.1234567"},
    {u"\U0001D7CE\U0001D7CE\U0001D7CE\U0001D7CE\U0001D7CE",
     u"\U0001D7CE\U0001D7CE\U0001D7CE\U0001D7CE"},
    {std::u16string{u'a', 0xDC00, u'b', 0xD800}, u"ab"},  // lone halves anywhere
};

TEST(FitInput, KeepsTheLeadingWholeCharactersOfNineUnits) {
  for (const FitCase& c : kFitCases) {
    EXPECT_EQ(FitInput(c.typed), c.kept) << "typed " << c.typed.size() << " units";
  }
}

}  // namespace
}  // namespace kviltora
