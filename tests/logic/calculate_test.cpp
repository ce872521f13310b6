#include <gtest/gtest.h>

#include "form_lines.h"
#include "form_model.h"
#include "procedures.h"
#include "trace_invariants.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;
using testing_support::Items;
using testing_support::Lines;
using Strings = std::vector<std::string>;
using namespace testing_support::trace_lines;

MainForm CalculatedForm(const std::string& input, const std::string& count) {
  MainForm form;
  form.Text1[1].Text = input;
  form.Diapazon[1].Select(CountIndex(count));
  OnCommand1Click(form, 0);
  return form;
}

Strings Concat(std::initializer_list<Strings> parts) {
  Strings all;
  for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct TraceCase {
  const char* input;
  const char* count;
  Strings doublings;
  Strings digits;
  const char* result;
  Strings terms;
  const char* sum;
};

class CalculateTest : public testing::TestWithParam<TraceCase> {};

TEST_P(CalculateTest, WritesTheWholeWorkedExample) {
  const TraceCase& c = GetParam();
  const MainForm form = CalculatedForm(c.input, c.count);
  const Strings expected = Concat({{kHeading + c.doublings.front()},
                                   Strings(c.doublings.begin() + 1, c.doublings.end()),
                                   {kFormed, kOrder, c.result, kCheck},
                                   c.terms,
                                   {kSum + c.sum}});
  EXPECT_EQ(Lines(form.Text1[2].Text), expected);
  EXPECT_EQ(Items(form.Diapazon[2]), c.digits);
  EXPECT_FALSE(form.Text1[1].Enabled);
}

// The first doubling entry is the fraction itself, as the heading line writes it.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, CalculateTest,
    testing::Values(
        TraceCase{"0.45",
                  "10",
                  {"0.45", "0.9", "1.8", "1.6", "1.2", "0.4", "0.800000000000001", "1.6", "1.2",
                   "0.400000000000006"},
                  {"0", "1", "1", "1", "0", "0", "1", "1", "0"},
                  "0.011100110",
                  {"+0.000000000", "+0.250000000", "+0.125000000", "+0.062500000", "+0.000000000",
                   "+0.000000000", "+0.007812500", "+0.003906250", "+0.000000000"},
                  "0.449218750"},
        TraceCase{"0.45",
                  "6",
                  {"0.45", "0.9", "1.8", "1.6", "1.2", "0.4"},
                  {"0", "1", "1", "1", "0"},
                  "0.01110",
                  {"+0.00000", "+0.25000", "+0.12500", "+0.06250", "+0.00000"},
                  "0.43750"},
        // A fraction that ends converts back to itself, to the last digit.
        TraceCase{"0.5", "26", {"0.5", "1"}, {"1"}, "0.1", {"+0.5"}, "0.5"},
        TraceCase{
            "3.75", "10", {"0.75", "1.5", "1"}, {"1", "1"}, "0.11", {"+0.50", "+0.25"}, "0.75"},
        TraceCase{
            "-0.25", "10", {"0.25", "0.5", "1"}, {"0", "1"}, "0.01", {"+0.00", "+0.25"}, "0.25"},
        TraceCase{"", "10", {"0"}, {}, "0.", {}, "0.00"},
        TraceCase{"букви", "10", {"0"}, {}, "0.", {}, "0.00"},
        TraceCase{"3", "10", {"0"}, {}, "0.", {}, "0.00"},
        TraceCase{"0,45", "10", {"0"}, {}, "0.", {}, "0.00"},
        TraceCase{"1E-400", "10", {"0"}, {}, "0.", {}, "0.00"}));

TEST(Calculate, ShowsRepresentationErrorOfPointThree) {
  const MainForm form = CalculatedForm("0.3", "12");
  EXPECT_EQ(Items(form.Diapazon[2]),
            (Strings{"0", "1", "0", "0", "1", "1", "0", "0", "1", "1", "0"}));
  EXPECT_EQ(Lines(form.Text1[2].Text).at(7), "0.399999999999999");
  EXPECT_EQ(Lines(form.Text1[2].Text).at(14), "0.01001100110");
}

TEST(Calculate, ProducesOneDigitFewerThanTheCount) {
  for (const char* count : {"5", "17", "26"}) {
    const MainForm form = CalculatedForm("0.1", count);
    EXPECT_EQ(form.Diapazon[2].ListCount(), std::stoi(count) - 1) << count;
  }
}

TEST(Calculate, RepeatsTheSameTraceOnASecondPress) {
  MainForm form = CalculatedForm("0.45", "10");
  const std::string first = form.Text1[2].Text;
  OnCommand1Click(form, 0);
  EXPECT_EQ(form.Text1[2].Text, first);
  EXPECT_EQ(form.Diapazon[2].ListCount(), 9);
}

TEST(Calculate, UsesTheCurrentCountOnAnotherPress) {
  MainForm form = CalculatedForm("0.45", "10");
  form.Diapazon[1].Select(CountIndex("6"));
  OnCommand1Click(form, 0);
  EXPECT_EQ(form.Diapazon[2].ListCount(), 5);
  EXPECT_EQ(Lines(form.Text1[2].Text).back(), kSum + "0.43750");
}

struct RefusalCase {
  const char* input;
  const char* count;  // empty: no count chosen
  const char* line;
};

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, LeavesOneLineAndTheInputEditable) {
  MainForm form;
  form.Text1[1].Text = GetParam().input;
  if (*GetParam().count) form.Diapazon[1].Select(CountIndex(GetParam().count));
  form.Diapazon[2].AddItem("1");
  OnCommand1Click(form, 0);
  EXPECT_EQ(form.Text1[2].Text, std::string(GetParam().line) + "\r\n");
  EXPECT_EQ(form.Diapazon[2].ListCount(), 0);
  EXPECT_EQ(form.Text1[1].Text, GetParam().input);
  EXPECT_TRUE(form.Text1[1].Enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusalTest,
    testing::Values(RefusalCase{"0.45", "", "Изберете брой цифри от списъка „Брой цифри“."},
                    RefusalCase{"1E999", "", "Изберете брой цифри от списъка „Брой цифри“."},
                    RefusalCase{"1E999", "10", "Числото е твърде голямо."},
                    RefusalCase{"-2E308", "5", "Числото е твърде голямо."}));

TEST(Command1Click, IgnoresAnUnknownIndex) {
  MainForm form;
  OnCommand1Click(form, 2);
  OnCommand1Click(form, -1);
  EXPECT_EQ(form, MainForm());
}

}  // namespace
}  // namespace kviltora
