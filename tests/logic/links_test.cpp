#include "links.h"

#include <gtest/gtest.h>

#include <string>

#include "form_lines.h"
#include "form_model.h"
#include "user_actions.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;
using testing_support::Lines;

constexpr const char* kCannot = "Връзката не може да се използва: ";

// A fragment and what it opens: the input box, the count chosen and the last
// two lines of the trace, or the notice (after kCannot) of a link refused.
struct LinkCase {
  std::string fragment;
  const char* box;
  const char* count;
  const char* result;
  const char* sum;
  const char* notice = "";
};

const LinkCase kLinks[] = {
    {"#x=0.3&n=12", "0.3", "12", "0.01001100110", "0.29980468750"},
    {"n=10&x=0.45", "0.45", "10", "0.011100110", "0.449218750"},
    {"#x=%2D0.25&n=5&", "-0.25", "5", "0.01", "0.25"},
    {"x=1.2E-05&n=6", "1.2E-05", "6", "0.00000", "0.00000"},
    {"x=0.1234567&n=26", "0.1234567", "26", "0.0001111110011010110110111",
     "0.1234566867351531982421875"},
    {"", "0.45", "", "", ""},
    {"#", "0.45", "", "", ""},
    {"x=&n=12", "", "", "", "", "липсва дробта (x)."},
    {"n=12", "", "", "", "", "липсва дробта (x)."},
    {"x=0.3", "", "", "", "", "липсва броят цифри (n)."},
    {"x=abc&n=12", "", "", "", "", "дробта (x) не е десетично число."},
    {"x=0.3.4&n=12", "", "", "", "", "дробта (x) не е десетично число."},
    {"x=%3Cscript%3Ealert(1)%3C%2Fscript%3E&n=12", "", "", "", "",
     "дробта (x) е по-дълга от 9 знака."},
    {"x=%3Cb%3E&n=12", "", "", "", "", "дробта (x) не е десетично число."},
    {"x=0.12345678&n=12", "", "", "", "", "дробта (x) е по-дълга от 9 знака."},
    {"x=1E999&n=12", "", "", "", "", "дробта (x) е твърде голямо число."},
    {"x=0.3&n=4", "", "", "", "", "броят цифри (n) трябва да е цяло число от 5 до 26."},
    {"x=0.3&n=012", "", "", "", "", "броят цифри (n) трябва да е цяло число от 5 до 26."},
    {"x=0.3&n=%3Cimg%3E", "", "", "", "", "броят цифри (n) трябва да е цяло число от 5 до 26."},
    {"x=0.3&n=12&mode=game", "", "", "", "", "непознат режим (mode); познат е само practice."},
    {"x=0.3&n=12&mode=%3Cscript%3E", "", "", "", "",
     "непознат режим (mode); познат е само practice."},
    {"x=0.3&n=12&y=1", "", "", "", "",
     "адресът съдържа непознато име; познати са x, n, mode, sheet, r, kinds, from и to."},
    {"x=0.3&x=0.4&n=12", "", "", "", "", "името x е дадено два пъти."},
    {"x=0.3&n=12&r=100", "", "", "", "", "обхватът (r) е само за работен лист (sheet)."},
    {"x=0.%3&n=12", "", "", "", "", "адресът съдържа повреден знак % или непозволен знак."},
    {"x=0.3%&n=12", "", "", "", "", "адресът съдържа повреден знак % или непозволен знак."},
    {"x=%C0%B0&n=12", "", "", "", "", "адресът съдържа повреден знак % или непозволен знак."},
    {"x=%ED%A0%80&n=12", "", "", "", "", "адресът съдържа повреден знак % или непозволен знак."},
    // An overlong "." must not open the example of 0.5: a link never spells one text and opens
    // another.
    {"x=0%E0%80%AE5&n=10", "", "", "", "", "адресът съдържа повреден знак % или непозволен знак."},
    {"x=0.3&n=12&" + std::string(10000, 'a'), "", "", "", "", "адресът е по-дълъг от 256 знака."},
    {"sheet=12&x=0.3", "", "", "", "", "работният лист (sheet) не се съчетава с x и mode."},
    {"sheet=-1", "", "", "", "",
     "номерът на листа (sheet) трябва да е цяло число от 0 до 4294967295."},
    {"sheet=4294967296", "", "", "", "",
     "номерът на листа (sheet) трябва да е цяло число от 0 до 4294967295."},
    // A typo must not open another sheet than the teacher's key is for.
    {"sheet=12abc", "", "", "", "",
     "номерът на листа (sheet) трябва да е цяло число от 0 до 4294967295."},
    {"sheet=1234O", "", "", "", "",
     "номерът на листа (sheet) трябва да е цяло число от 0 до 4294967295."},
    {"sheet=7&r=50", "", "", "", "",
     "обхватът (r) трябва да е 10, 100, 1000, 10000, 100000 или 1000000."},
    {"sheet=7&n=27", "", "", "", "", "броят цифри (n) трябва да е цяло число от 5 до 26."},
    {"x=0.3&n=12&kinds=d", "", "", "", "",
     "видовете задачи (kinds) са само за работен лист (sheet)."},
};

constexpr const char* kBadKinds =
    "видовете задачи (kinds) са букви измежду d, i, f, p и g, всяка веднъж, със запетая помежду "
    "им.";

TEST(OpenLink, CalculatesTheExampleOrOpensAsAtStartWithOneNotice) {
  for (const LinkCase& c : kLinks) {
    MainForm form;
    form.Diapazon[1].Select(3);
    UserCommand1Click(form, 1);
    const Opened opened = OpenLink(form, c.fragment);
    const std::string notice = *c.notice ? kCannot + std::string(c.notice) : "";
    const std::string where = c.fragment.substr(0, 40);
    EXPECT_EQ(opened.link.notice, notice) << where;
    if (!notice.empty() || !*c.count) {
      EXPECT_EQ(form, MainForm()) << where;
      EXPECT_EQ(opened.said, notice) << where;
      continue;
    }
    const auto lines = Lines(form.Text1[2].Text);
    const std::int16_t count = form.Diapazon[1].ListIndex();
    EXPECT_EQ(form.Text1[1].Text, c.box) << where;
    EXPECT_FALSE(form.Text1[1].Enabled) << where;
    EXPECT_EQ(form.Diapazon[1].List(count), c.count) << where;
    const std::string sum = "След обратно преобразуване числото е: " + std::string(c.sum);
    EXPECT_EQ(lines.back(), sum) << where;
    EXPECT_EQ(opened.said, c.result + (". " + sum)) << where;
    const Link again = ReadLink(LinkOf(form));
    EXPECT_EQ(again.fraction + "/" + std::to_string(again.countRow),
              c.box + ("/" + std::to_string(count)))
        << where << ": the address opens it again";
  }
}

TEST(ReadLink, NamesTheExerciseAndTheSheetWithTheirRows) {
  const Link practice = ReadLink("#x=0.3&n=12&mode=practice");
  EXPECT_EQ(practice.shows, LinkShows::kPractice);
  EXPECT_EQ(practice.fraction, "0.3");
  EXPECT_EQ(practice.countRow, CountIndex("12"));
  EXPECT_EQ(practice.count, "12");
  EXPECT_EQ(PracticeLinkOf("0.3", "12"), "x=0.3&n=12&mode=practice");
  EXPECT_EQ(PracticeLinkOf("abc", "12"), "") << "no link that would not open it again";
  // The window behind the exercise holds what the link named, calculated not yet.
  MainForm behind;
  EXPECT_EQ(OpenLink(behind, "#x=0.3&n=12&mode=practice").said, "");
  EXPECT_EQ(behind.Text1[1].Text, "0.3");
  EXPECT_TRUE(behind.Text1[1].Enabled);
  EXPECT_EQ(behind.Diapazon[1].ListIndex(), CountIndex("12"));
  EXPECT_EQ(behind.Text1[2].Text, MainForm().Text1[2].Text);
  const struct {
    const char* fragment;
    SheetChoice sheet;
  } sheets[] = {
      {"sheet=2026&r=100&n=10", {2026, 1, CountIndex("10")}},
      {"sheet=0", {0, 1, CountIndex("10")}},
      {"n=26&sheet=4294967295&r=1000000", {4294967295u, 5, CountIndex("26")}},
      {"sheet=2026&kinds=d,i,f,p,g", {2026, 1, CountIndex("10"), "difpg"}},
      {"sheet=2026&kinds=g%2Cd", {2026, 1, CountIndex("10"), "dg"}},
      {"sheet=2026&kinds=p", {2026, 1, CountIndex("10"), "p"}},
  };
  for (const auto& c : sheets) {
    const Link link = ReadLink(c.fragment);
    EXPECT_EQ(link.shows, LinkShows::kSheet) << c.fragment;
    EXPECT_EQ(link.sheet, c.sheet) << c.fragment;
    MainForm form;
    EXPECT_EQ(OpenLink(form, c.fragment).said, "") << c.fragment;
    EXPECT_EQ(form, MainForm()) << c.fragment;
  }
  EXPECT_EQ(SheetLinkOf({2026, 1, CountIndex("10")}), "sheet=2026&r=100&n=10");
  EXPECT_EQ(SheetLinkOf({2026, 1, CountIndex("10"), "gdfip"}),
            "sheet=2026&r=100&n=10&kinds=d,i,f,p,g");
  for (const char* bad :
       {"sheet=1&kinds=", "sheet=1&kinds=x", "sheet=1&kinds=d,d", "sheet=1&kinds=di",
        "sheet=1&kinds=d,", "sheet=1&kinds=,d", "sheet=1&kinds=D", "sheet=1&kinds=d;i"}) {
    EXPECT_EQ(ReadLink(bad).notice, kCannot + std::string(kBadKinds)) << bad;
  }
}

TEST(KindsOf, KeepsTheLettersInTheirOrderEachOnceOrTheDoubling) {
  const std::pair<const char*, const char*> cases[] = {
      {"d", "d"}, {"gfpid", "difpg"}, {"ggg", "g"}, {"", "d"}, {"xyz", "d"}, {"p,i", "ip"},
  };
  for (const auto& [letters, kinds] : cases) EXPECT_EQ(KindsOf(letters), kinds) << letters;
}

TEST(ReadLink, OpensTheNumberSystemsPartOrItsStartWithANotice) {
  const struct {
    const char* fragment;
    BasesChoice bases;
    const char* notice;
  } cases[] = {
      {"#from=10&to=2&x=37.625", {10, 2, "37.625"}, ""},
      {"x=ff.8&to=10&from=16", {16, 10, "ff.8"}, ""},
      {"from=8&to=16", {8, 16, ""}, ""},
      {"from=3&to=2&x=1", {}, "основите (from и to) трябва да са 2, 8, 10 или 16."},
      {"from=10&x=1", {}, "основите (from и to) трябва да са 2, 8, 10 или 16."},
      {"from=010&to=2", {}, "основите (from и to) трябва да са 2, 8, 10 или 16."},
      {"from=8&to=2&x=9", {}, "числото (x) не се чете: 9 не е цифра в осмична бройна система."},
      {"from=10&to=2&x=1234567890123",
       {},
       "числото (x) не се чете: Цялата част може да има най-много 12 цифри."},
      {"from=10&to=2&x=0.3&n=12",
       {},
       "преобразуването (from, to) не се съчетава с n, mode, sheet и r."},
  };
  for (const auto& c : cases) {
    const Link link = ReadLink(c.fragment);
    EXPECT_EQ(link.shows, LinkShows::kBases) << c.fragment;
    EXPECT_EQ(link.bases, c.bases) << c.fragment;
    EXPECT_EQ(link.notice, *c.notice ? kCannot + std::string(c.notice) : "") << c.fragment;
  }
  EXPECT_EQ(BasesLinkOf(" 37,625 ", 10, 2), "from=10&to=2&x=37.625");
  EXPECT_EQ(BasesLinkOf("-a.c", 16, 8), "from=16&to=8&x=-A.C");
  EXPECT_EQ(BasesLinkOf("9", 8, 2), "from=8&to=2") << "a refused number is not carried";
}

// The address names only a calculated example, in a form that opens it again.
TEST(LinkOf, IsTheCalculatedExampleOrNothing) {
  MainForm form;
  EXPECT_EQ(LinkOf(form), "") << "the sample is no calculation";
  UserDiapazonClick(form, 1, CountIndex("12"));
  const struct {
    std::u16string typed;
    const char* link;
  } cases[] = {
      {u"0.3", "x=0.3&n=12"},
      {u"1E+05", "x=1E%2B05&n=12"},
      {u" 0.5", "x=%200.5&n=12"},
      {u"дроб", ""},  // calculates as 0, but a link carries only numbers
  };
  for (const auto& c : cases) {
    UserCommand1Click(form, 1);
    UserText1Change(form, 1, c.typed, c.typed.size());
    EXPECT_EQ(LinkOf(form), "") << c.link << ": not calculated yet";
    UserCommand1Click(form, 0);
    EXPECT_EQ(LinkOf(form), c.link);
  }
  UserCommand1Click(form, 1);
  UserText1Change(form, 1, u"0.3", 3);
  UserCommand1Click(form, 0);
  UserDiapazonClick(form, 1, CountIndex("10"));
  EXPECT_EQ(LinkAfterClick(form, ControlKind::kList, 1), std::nullopt) << "the trace is of 12";
  UserCommand1Click(form, 0);
  EXPECT_EQ(LinkAfterClick(form, ControlKind::kButton, 0), "x=0.3&n=10");
  UserDiapazonClick(form, 0, 0);
  EXPECT_EQ(LinkAfterClick(form, ControlKind::kList, 0), "") << "a proposal is no calculation";
}

// The page reads a link apart from the window's form: shown on a form, the read
// link does what opening the fragment there does.
TEST(ShowLink, DoesWhatOpeningTheFragmentDoes) {
  for (const char* fragment : {"#x=0.3&n=12", "x=0.3&n=12&mode=practice", "x=0.3&n=99", ""}) {
    MainForm opened, shown;
    UserCommand1Click(shown, 0);  // whatever the form showed before goes
    const Said said = OpenLink(opened, fragment).said;
    EXPECT_EQ(ShowLink(shown, ReadLink(fragment)), said) << fragment;
    EXPECT_EQ(shown.Text1[2].Text, opened.Text1[2].Text) << fragment;
    EXPECT_EQ(shown.Text1[1].Text, opened.Text1[1].Text) << fragment;
    EXPECT_EQ(shown.Diapazon[1].ListIndex(), opened.Diapazon[1].ListIndex()) << fragment;
  }
  MainForm form;
  ShowLink(form, ReadLink("x=0.3&n=12"));
  EXPECT_EQ(ExampleShown(form), (ShownExample{"0.3", "12"}));
  EXPECT_EQ(LinkOf(ExampleShown(form)), "x=0.3&n=12");
  EXPECT_EQ(ExampleShown(MainForm()), std::nullopt);
  EXPECT_EQ(LinkOf(std::nullopt), "");
}

}  // namespace
}  // namespace kviltora
