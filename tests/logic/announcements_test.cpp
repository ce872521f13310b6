#include "announcements.h"

#include <gtest/gtest.h>

#include "form_lines.h"
#include "form_model.h"
#include "procedures.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;
using Lines = std::vector<std::string>;

struct CalculationCase {
  const char* input;
  const char* count;  // none: no count chosen
  Lines said;
};

TEST(AfterCommand1Click, SaysTheResultAndTheCheckedValueOrWhyNothingWasCalculated) {
  const CalculationCase cases[] = {
      {"0.3", "12", {"0.01001100110", "След обратно преобразуване числото е: 0.29980468750"}},
      {"0.45", "6", {"0.01110", "След обратно преобразуване числото е: 0.43750"}},
      {"0.75", "5", {"0.11", "След обратно преобразуване числото е: 0.75"}},
      {"0.45", nullptr, {"Изберете брой цифри от списъка „Брой цифри“."}},
  };
  for (const CalculationCase& c : cases) {
    MainForm form;
    form.Text1[1].Text = c.input;
    if (c.count) form.Diapazon[1].Select(CountIndex(c.count));
    OnCommand1Click(form, 0);
    EXPECT_EQ(AfterCommand1Click(form, 0), c.said) << c.input;
  }
}

TEST(Announcements, ClearingARangeChoiceAListFocusAndTheLockedInput) {
  MainForm form;
  OnCommand1Click(form, 1);
  EXPECT_EQ(AfterCommand1Click(form, 1), Lines{"Всичко е изчистено."});
  form.Text1[1].Text = "0.07";
  EXPECT_EQ(AfterDiapazonClick(form, 0), Lines{"Нова дроб: 0.07"});
  EXPECT_EQ(AfterDiapazonClick(form, 1), Lines{});
  EXPECT_EQ(OnListFocus(form, 1), Lines{"Нищо не е избрано."});
  form.Diapazon[1].Select(CountIndex("12"));
  EXPECT_EQ(OnListFocus(form, 1), Lines{});
  form.Diapazon[1].Select(CountIndex("5"));  // the first row is a selection too
  EXPECT_EQ(OnListFocus(form, 1), Lines{});
  form.Diapazon[0].Select(0);  // "10"
  EXPECT_EQ(OnListFocus(form, 0), Lines{});
  EXPECT_EQ(Text1AccessibleName(form, 1), "Дроб");
  form.Text1[1].Enabled = false;
  EXPECT_EQ(Text1AccessibleName(form, 1), "Дроб, недостъпно");
  EXPECT_EQ(Text1AccessibleName(form, 2), "Преобразуване");
}

TEST(Utterance, EachLineButTheLastEndsASentenceInTheirOrder) {
  const std::pair<Lines, const char*> cases[] = {
      {{}, ""},
      {{"Нова дроб: 0.07"}, "Нова дроб: 0.07"},
      {{"0.011", "След обратно преобразуване числото е: 0.375"},
       "0.011. След обратно преобразуване числото е: 0.375"},
      {{"Всичко е изчистено.", "0.5"}, "Всичко е изчистено. 0.5"},
      {{"", "0.5", ""}, "0.5"},
  };
  for (const auto& [lines, said] : cases) EXPECT_EQ(Utterance(lines), said) << said;
}

}  // namespace
}  // namespace kviltora
