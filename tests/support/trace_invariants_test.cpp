#include "trace_invariants.h"

#include <gtest/gtest.h>

#include <functional>

#include "procedures.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;
using testing_support::TraceFault;

MainForm AfterCalculating(const std::string& input, const char* count) {
  MainForm form;
  form.Text1[1].Text = input;
  if (*count) form.Diapazon[1].Select(CountIndex(count));
  OnCommand1Click(form, 0);
  return form;
}

TEST(TraceFault, AcceptsEveryStateTheEventsLeave) {
  for (const char* input : {"0.45", "0.3", "0.1", "3.75", "-0.25", "0.5", "", "1E-400", "1E-320",
                            "0.999999999", "букви", "1E999"}) {
    for (const char* count : {"", "5", "6", "10", "26"}) {
      MainForm form = AfterCalculating(input, count);
      EXPECT_EQ(TraceFault(form), "") << input << " " << count;
      OnCommand1Click(form, 1);
      EXPECT_EQ(TraceFault(form), "") << input << " cleared";
    }
  }
  EXPECT_EQ(TraceFault(MainForm()), "");
}

struct Corruption {
  const char* what;
  std::function<void(MainForm&)> apply;
};

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
}

const Corruption kCorruptions[] = {
    {"last CR LF lost", [](MainForm& f) { f.Text1[2].Text.resize(f.Text1[2].Text.size() - 2); }},
    {"infinity", [](MainForm& f) { ReplaceFirst(f.Text1[2].Text, "1.8", "inf"); }},
    {"digit added", [](MainForm& f) { f.Diapazon[2].AddItem("0"); }},
    {"digit flipped",
     [](MainForm& f) { ReplaceFirst(f.Text1[2].Text, "0.011100110", "0.011100111"); }},
    {"term rounded",
     [](MainForm& f) { ReplaceFirst(f.Text1[2].Text, "+0.00390625", "+0.00390630"); }},
    {"sum off", [](MainForm& f) { ReplaceFirst(f.Text1[2].Text, "0.44921875", "0.44921876"); }},
    {"doubling off", [](MainForm& f) { ReplaceFirst(f.Text1[2].Text, "\r\n1.6", "\r\n1.7"); }},
    {"input changed", [](MainForm& f) { f.Text1[1].Text = "0.46"; }},
    {"input unlocked", [](MainForm& f) { f.Text1[1].Enabled = true; }},
    {"lone LF", [](MainForm& f) { ReplaceFirst(f.Text1[2].Text, "\r\n0.9", "\n0.9"); }},
    {"digits beside a refusal",
     [](MainForm& f) { f.Text1[2].Text = testing_support::trace_lines::kTooLarge + "\r\n"; }},
    {"locked without a trace",
     [](MainForm& f) {
       f.Text1[2].Text.clear();
       f.Diapazon[2].Clear();
     }},
};

TEST(TraceFault, ReportsEachCorruptionOfATrace) {
  for (const Corruption& c : kCorruptions) {
    MainForm form = AfterCalculating("0.45", "10");
    c.apply(form);
    EXPECT_NE(TraceFault(form), "") << c.what;
  }
}

}  // namespace
}  // namespace kviltora
