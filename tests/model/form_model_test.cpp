#include "form_model.h"

#include <gtest/gtest.h>

#include "description_text.h"
#include "form_lines.h"
#include "sample_trace.h"

namespace kviltora {
namespace {

using testing_support::Items;
using testing_support::Lines;

TEST(MainForm, StartsWithTheDescriptionAndTheSample) {
  const MainForm form;
  const auto description = Lines(form.Text1[0].Text);
  ASSERT_EQ(description.size(), testing_support::kDescription.size());
  for (std::size_t i = 0; i < description.size(); ++i) {
    EXPECT_EQ(description[i], testing_support::kDescription[i]) << "line " << i + 1;
  }
  EXPECT_EQ(Lines(form.Text1[2].Text), testing_support::kSampleTrace);
  EXPECT_EQ(form.Text1[1].Text, "0.45");
}

TEST(MainForm, StartsWithTheListsAndNoSelection) {
  const MainForm form;
  EXPECT_EQ(Items(form.Diapazon[0]),
            (std::vector<std::string>{"10", "100", "1000", "10000", "100000", "1000000"}));
  const auto counts = Items(form.Diapazon[1]);
  ASSERT_EQ(counts.size(), 22u);
  EXPECT_EQ(counts.front(), "5");
  EXPECT_EQ(counts.back(), "26");
  EXPECT_EQ(form.Diapazon[2].ListCount(), 0);
  for (const ListBox& list : form.Diapazon) EXPECT_EQ(list.ListIndex(), -1);
  for (const TextBox& box : form.Text1) EXPECT_TRUE(box.Enabled);
}

TEST(ListBox, ClearDropsTheSelectionAndOutOfRangeReadsAreEmpty) {
  ListBox list({"a", "b"});
  list.Select(1);
  EXPECT_EQ(list.ListIndex(), 1);
  list.Select(2);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.List(-1), "");
  EXPECT_EQ(list.List(2), "");
  list.Select(0);
  list.Clear();
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ListCount(), 0);
}

}  // namespace
}  // namespace kviltora
