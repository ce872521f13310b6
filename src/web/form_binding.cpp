// The form as a JavaScript class, for shells that are not Qt: each call is one
// of the core's entry points on the one MainForm, or reads it back; every rule
// stays in kviltora_core.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "announcements.h"
#include "exercise.h"
#include "form_model.h"
#include "js_values.h"
#include "link_binding.h"
#include "links.h"
#include "procedures.h"
#include "random.h"
#include "user_actions.h"
#include "worksheet.h"

namespace kviltora {
namespace {

using emscripten::val;

// JavaScript's own text of a number: 7, 1.5, NaN.
std::string NumberText(double n) {
  return val(n).call<std::string>("toString");
}

// A bad index is a fault of the calling page: it gets a JavaScript Error. The
// messages are built and freed inside these functions, so that none of them
// is left behind however the JavaScript throw unwinds the stack.
val NoSuchControl(const char* array, double index, const char* what) {
  return val::global("Error").new_(std::string(array) + "(" + NumberText(index) + "): no such " +
                                   what);
}
val NoSuchRow(double list, double row, int count) {
  return val::global("Error").new_("Diapazon(" + NumberText(list) + "): no row " + NumberText(row) +
                                   " among " + std::to_string(count));
}
val BadCaret(double caret, std::size_t length) {
  return val::global("Error").new_("caret " + NumberText(caret) + ": not within 0.." +
                                   std::to_string(length));
}
val BadSeed(double n) {
  return val::global("Error").new_("seed " + NumberText(n) + ": not a whole number 0..4294967295");
}

// Only a whole number inside [0, N) names a control.
template <typename Control, std::size_t N>
Control& At(std::array<Control, N>& controls, double index, const char* array, const char* what) {
  if (!IsWholeIn(index, 0, N - 1)) NoSuchControl(array, index, what).throw_();
  return controls[static_cast<std::size_t>(index)];
}

// The indexes of the controls that differ from what was drawn, all of them the
// first time; what was drawn becomes what is.
template <typename Control, std::size_t N>
val Changed(const std::array<Control, N>& now, std::array<Control, N>& drawn, bool all) {
  val indexes = val::array();
  for (std::size_t i = 0; i < N; ++i) {
    if (!all && now[i] == drawn[i]) continue;
    indexes.call<void>("push", static_cast<int>(i));
    drawn[i] = now[i];
  }
  return indexes;
}

// The core's entry points, under the same names, and what the page redraws from.
class Form {
 public:
  void load() { OnLoad(form_); }

  double userText1Change(double index, const std::u16string& shown, double caret) {
    TextBox(index);
    if (!IsWholeIn(caret, 0, shown.size())) BadCaret(caret, shown.size()).throw_();
    return static_cast<double>(UserText1Change(form_, static_cast<std::int16_t>(index), shown,
                                               static_cast<std::size_t>(caret)));
  }
  std::string userDiapazonClick(double list, double row) {
    const ListBox& box = List(list);
    if (!IsWholeIn(row, -1, box.ListCount() - 1)) NoSuchRow(list, row, box.ListCount()).throw_();
    return UserDiapazonClick(form_, static_cast<std::int16_t>(list),
                             static_cast<std::int16_t>(row));
  }
  std::string userCommand1Click(double index) {
    At(form_.Command1, index, "Command1", "button");
    return UserCommand1Click(form_, static_cast<std::int16_t>(index));
  }
  std::string userDiapazonFocus(double list) {
    List(list);
    return UserDiapazonFocus(form_, static_cast<std::int16_t>(list));
  }

  // A link read by the teaching parts' module, shown as it opens on the form
  // at start (null: the window as at start), and what that says; what the window
  // shows, for that module to write as a link; whether a click changes it.
  std::string openLink(const val& link) { return ShowLink(form_, LinkFromVal(link)); }
  val shownExample() { return ToVal(ExampleShown(form_)); }
  bool changesLink(const std::string& kind, double index) {
    if (kind == "button") {
      At(form_.Command1, index, "Command1", "button");
    } else {
      List(index);
    }
    return ClickChangesLink(kind == "button" ? ControlKind::kButton : ControlKind::kList,
                            static_cast<std::int16_t>(index));
  }
  val newSheet() { return ToVal(NewSheet(form_)); }

  std::string text(double index) { return TextBox(index).Text; }
  bool enabled(double index) { return TextBox(index).Enabled; }
  std::string text1AccessibleName(double index) {
    TextBox(index);
    return Text1AccessibleName(form_, static_cast<std::int16_t>(index));
  }
  val items(double list) {
    const ListBox& box = List(list);
    std::vector<std::string> items;
    for (std::int16_t i = 0; i < box.ListCount(); ++i) items.push_back(box.List(i));
    return JsArray(items);
  }
  int listIndex(double list) { return List(list).ListIndex(); }
  // The text boxes and the lists that changed since the page last asked, so
  // that it redraws only those; the first time, all of them.
  val changes() {
    val changed = val::object();
    changed.set("boxes", Changed(form_.Text1, drawnBoxes_, !drawn_));
    changed.set("lists", Changed(form_.Diapazon, drawnLists_, !drawn_));
    drawn_ = true;
    return changed;
  }
  std::string commandCaption(double index) {
    return At(form_.Command1, index, "Command1", "button").Caption;
  }
  std::string labelCaption(double index) {
    return At(form_.Etiket, index, "Etiket", "label").Caption;
  }
  // What an exercise started from the window practises: {fraction, count},
  // the count null when none is chosen.
  val practiceInput() {
    const PracticeInput input = PracticeInputOf(form_);
    val out = val::object();
    out.set("fraction", input.fraction);
    out.set("count", input.count ? val(*input.count) : val::null());
    return out;
  }

 private:
  kviltora::TextBox& TextBox(double index) { return At(form_.Text1, index, "Text1", "text box"); }
  ListBox& List(double index) { return At(form_.Diapazon, index, "Diapazon", "list"); }

  MainForm form_;
  bool drawn_ = false;
  decltype(MainForm::Text1) drawnBoxes_;
  decltype(MainForm::Diapazon) drawnLists_;
};

// The generator belongs to the runtime, not to any form: a test or a benchmark
// that needs a repeatable sequence seeds it here; the page never does.
void SeedRandomNumbers(double n) {
  if (!IsWholeIn(n, 0, UINT32_MAX)) BadSeed(n).throw_();
  SeedRandom(static_cast<std::uint32_t>(n));
}

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_form) {
  using kviltora::Form;
  emscripten::class_<Form>("Form")
      .constructor<>()
      .function("load", &Form::load)
      .function("userText1Change", &Form::userText1Change)
      .function("userDiapazonClick", &Form::userDiapazonClick)
      .function("userCommand1Click", &Form::userCommand1Click)
      .function("userDiapazonFocus", &Form::userDiapazonFocus)
      .function("openLink", &Form::openLink)
      .function("shownExample", &Form::shownExample)
      .function("changesLink", &Form::changesLink)
      .function("newSheet", &Form::newSheet)
      .function("text", &Form::text)
      .function("enabled", &Form::enabled)
      .function("text1AccessibleName", &Form::text1AccessibleName)
      .function("items", &Form::items)
      .function("listIndex", &Form::listIndex)
      .function("changes", &Form::changes)
      .function("commandCaption", &Form::commandCaption)
      .function("labelCaption", &Form::labelCaption)
      .function("practiceInput", &Form::practiceInput);
  emscripten::function("seedRandom", &kviltora::SeedRandomNumbers);
}
