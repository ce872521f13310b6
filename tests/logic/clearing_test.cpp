#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "form_lines.h"
#include "form_model.h"
#include "number_text.h"
#include "procedures.h"
#include "random.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;

void ExpectCleared(const MainForm& form) {
  EXPECT_EQ(form.Diapazon[2].ListCount(), 0);
  EXPECT_EQ(form.Text1[2].Text, "");
  EXPECT_TRUE(form.Text1[1].Enabled);
}

TEST(ClearAll, RemovesTheSampleAndTheInputRightAfterStart) {
  MainForm form;
  OnCommand1Click(form, 1);
  ExpectCleared(form);
  EXPECT_EQ(form.Text1[1].Text, "");
  EXPECT_EQ(form.Text1[0], MainForm().Text1[0]);
}

TEST(ClearAll, ReenablesTheInputAndKeepsTheSelections) {
  MainForm form;
  form.Diapazon[0].Select(2);
  form.Diapazon[1].Select(CountIndex("10"));
  OnCommand1Click(form, 0);
  ASSERT_FALSE(form.Text1[1].Enabled);
  OnCommand1Click(form, 1);
  ExpectCleared(form);
  EXPECT_EQ(form.Diapazon[0].ListIndex(), 2);
  EXPECT_EQ(form.Diapazon[1].ListIndex(), CountIndex("10"));
}

TEST(DiapazonClick, LeavesEverythingAsItWasForTheCountAndDigitLists) {
  MainForm form;
  form.Diapazon[1].Select(CountIndex("10"));
  OnCommand1Click(form, 0);
  form.Diapazon[1].Select(0);
  form.Diapazon[2].Select(3);
  const MainForm before = form;
  OnDiapazonClick(form, 1);
  OnDiapazonClick(form, 2);
  EXPECT_EQ(form, before);
}

TEST(PickRandomFraction, ClearsAndProposesAFractionFromTheRangeForEveryRange) {
  SeedRandom(2024);
  for (std::int16_t j = 0; j < 6; ++j) {
    MainForm form;
    form.Diapazon[0].Select(j);
    const double r = std::pow(10.0, j + 1);
    for (int pick = 0; pick < 2000; ++pick) {
      form.Diapazon[1].Select(CountIndex("10"));
      OnCommand1Click(form, 0);
      OnDiapazonClick(form, 0);
      ExpectCleared(form);
      const std::string& text = form.Text1[1].Text;
      ASSERT_LE(text.size(), 9u) << text;
      const double k = ParseLeadingNumber(text) * r;
      EXPECT_NEAR(k, std::round(k), 1e-6) << text;
      EXPECT_GE(std::round(k), 1) << text;
      EXPECT_LE(std::round(k), r) << text;
      EXPECT_EQ(FormatGeneral(ParseLeadingNumber(text)), text);
    }
  }
}

// The first proposal after seeding, from each range in turn. Worked out once
// outside the program: std::mt19937 as the C++ standard defines it, u the
// high 24 bits of its first output times 2^-24, (floor(r * u) mod r + 1) / r
// in double, written with 15 significant digits. With a 1 / (2^24 - 1) scale
// instead, seeds 1 and 77 would propose 0.417023 and 0.91911 from "1000000";
// with the low 24 bits, nearly every row would differ.
TEST(PickRandomFraction, ProposesTheFractionOfTheDrawForEveryRange) {
  const struct {
    std::uint32_t seed;
    const char* proposals[6];
  } cases[] = {
      {1, {"0.5", "0.42", "0.418", "0.4171", "0.41703", "0.417022"}},
      {77, {"1", "0.92", "0.92", "0.9192", "0.91911", "0.919109"}},
      {2024, {"0.6", "0.59", "0.589", "0.5881", "0.58802", "0.588015"}},
      {31337, {"0.8", "0.73", "0.722", "0.7219", "0.72186", "0.721853"}},
  };
  for (const auto& c : cases) {
    for (std::int16_t j = 0; j < 6; ++j) {
      MainForm form;
      form.Diapazon[0].Select(j);
      SeedRandom(c.seed);
      PickRandomFraction(form);
      EXPECT_EQ(form.Text1[1].Text, c.proposals[j])
          << "range " << form.Diapazon[0].List(j) << ", seed " << c.seed;
    }
  }
}

TEST(PickRandomFraction, ReachesEveryTenthAndOneItself) {
  SeedRandom(1);
  MainForm form;
  form.Diapazon[0].Select(0);
  std::set<std::string> seen;
  for (int pick = 0; pick < 500; ++pick) {
    OnDiapazonClick(form, 0);
    seen.insert(form.Text1[1].Text);
  }
  EXPECT_EQ(seen, (std::set<std::string>{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8",
                                         "0.9", "1"}));
}

TEST(PickRandomFraction, WritesTinyFractionsInAFormThatReadsBack) {
  SeedRandom(3);
  MainForm form;
  form.Diapazon[0].Select(5);
  bool sawExponentForm = false;
  for (int pick = 0; pick < 200000 && !sawExponentForm; ++pick) {
    OnDiapazonClick(form, 0);
    sawExponentForm = form.Text1[1].Text.find('E') != std::string::npos;
  }
  ASSERT_TRUE(sawExponentForm);
  const double proposed = ParseLeadingNumber(form.Text1[1].Text);
  form.Diapazon[1].Select(CountIndex("5"));
  OnCommand1Click(form, 0);
  EXPECT_EQ(testing_support::Lines(form.Text1[2].Text).front(),
            "Преобразувам десетичната дроб: " + FormatGeneral(proposed));
}

TEST(Load, SeedsFromTheClockSoRunsDiffer) {
  MainForm form;
  OnLoad(form);
  const float first[] = {NextRandom(), NextRandom(), NextRandom()};
  SeedRandom(0);  // a fixed seed must not be what the clock gives again
  OnLoad(form);
  const float second[] = {NextRandom(), NextRandom(), NextRandom()};
  EXPECT_FALSE(std::equal(std::begin(first), std::end(first), std::begin(second)));
}

}  // namespace
}  // namespace kviltora
