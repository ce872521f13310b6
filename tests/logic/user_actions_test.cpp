#include "user_actions.h"

#include <gtest/gtest.h>

#include "form_lines.h"
#include "form_model.h"
#include "random.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;

TEST(UserText1Change, TheInputTakesTheEditTheLockedBoxesAndADisabledInputRefuseIt) {
  MainForm form;
  EXPECT_EQ(UserText1Change(form, 1, u"0.45дроб", 8), 8u);
  EXPECT_EQ(form.Text1[1].Text, "0.45дроб");
  for (std::int16_t locked : {0, 2}) {
    const std::string before = form.Text1[locked].Text;
    UserText1Change(form, locked, u"x", 1);
    EXPECT_EQ(form.Text1[locked].Text, before) << locked;
  }
  form.Diapazon[1].Select(CountIndex("10"));
  UserCommand1Click(form, 0);
  ASSERT_FALSE(form.Text1[1].Enabled);
  EXPECT_EQ(UserText1Change(form, 1, u"0.5", 3), 3u);
  EXPECT_EQ(form.Text1[1].Text, "0.45дроб");
}

TEST(UserDiapazonClick, AChosenRowIsTheSelectionAndClicksEvenAgainButNeverGoesAway) {
  MainForm form;
  SeedRandom(1);
  const Said said = UserDiapazonClick(form, 0, 0);
  EXPECT_EQ(said, Said{"Нова дроб: " + form.Text1[1].Text});
  form.Text1[1].Text = "typed";
  UserDiapazonClick(form, 0, 0);
  EXPECT_NE(form.Text1[1].Text, "typed") << "the row already selected proposes anew";
  const MainForm chosen = form;
  for (std::int16_t row : {-1, 6, 200}) {
    EXPECT_EQ(UserDiapazonClick(form, 0, row), Said{}) << row;
    EXPECT_EQ(form, chosen) << row;
  }
  EXPECT_EQ(UserDiapazonClick(form, 1, 7), Said{});
  EXPECT_EQ(form.Diapazon[1].ListIndex(), 7);
  EXPECT_EQ(UserDiapazonClick(form, 1, -1), Said{});
  EXPECT_EQ(form.Diapazon[1].ListIndex(), 7);
}

}  // namespace
}  // namespace kviltora
