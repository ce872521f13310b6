// The form as a JavaScript class, for shells that are not Qt: each call sets a
// control or raises an event on the one MainForm and nothing more; every rule
// stays in kviltora_core.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "announcements.h"
#include "form_model.h"
#include "procedures.h"
#include "random.h"

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
val BadSeed(double n) {
  return val::global("Error").new_("seed " + NumberText(n) + ": not a whole number 0..4294967295");
}

bool IsWholeIn(double n, double low, double high) {
  return n >= low && n <= high && std::trunc(n) == n;
}

// Only a whole number inside [0, N) names a control.
template <typename Control, std::size_t N>
Control& At(std::array<Control, N>& controls, double index, const char* array, const char* what) {
  if (!IsWholeIn(index, 0, N - 1)) NoSuchControl(array, index, what).throw_();
  return controls[static_cast<std::size_t>(index)];
}

val JsArray(const std::vector<std::string>& lines) {
  val out = val::array();
  for (const std::string& line : lines) out.call<void>("push", line);
  return out;
}

class Form {
 public:
  void load() { OnLoad(form_); }
  void seed(double n) {
    if (!IsWholeIn(n, 0, UINT32_MAX)) BadSeed(n).throw_();
    SeedRandom(static_cast<std::uint32_t>(n));
  }

  void setText(double index, const std::string& text) { TextBox(index).Text = text; }
  // Row -1 takes the selection away, as a list allows.
  void select(double list, double row) {
    ListBox& box = List(list);
    if (!IsWholeIn(row, -1, box.ListCount() - 1)) NoSuchRow(list, row, box.ListCount()).throw_();
    box.Select(static_cast<std::int16_t>(row));
  }
  void clickCommand(double index) {
    At(form_.Command1, index, "Command1", "button");
    OnCommand1Click(form_, static_cast<std::int16_t>(index));
  }
  void clickList(double index) {
    List(index);
    OnDiapazonClick(form_, static_cast<std::int16_t>(index));
  }

  std::string text(double index) { return TextBox(index).Text; }
  bool enabled(double index) { return TextBox(index).Enabled; }
  val items(double list) {
    const ListBox& box = List(list);
    std::vector<std::string> items;
    for (std::int16_t i = 0; i < box.ListCount(); ++i) items.push_back(box.List(i));
    return JsArray(items);
  }
  int listIndex(double list) { return List(list).ListIndex(); }
  std::string commandCaption(double index) {
    return At(form_.Command1, index, "Command1", "button").Caption;
  }
  std::string labelCaption(double index) {
    return At(form_.Etiket, index, "Etiket", "label").Caption;
  }

  // What a screen reader is told, as the desktop tells it.
  val spokenAfterCommand(double index) {
    At(form_.Command1, index, "Command1", "button");
    return JsArray(AfterCommand1Click(form_, static_cast<std::int16_t>(index)));
  }
  val spokenAfterList(double index) {
    List(index);
    return JsArray(AfterDiapazonClick(form_, static_cast<std::int16_t>(index)));
  }
  val spokenOnListFocus(double index) {
    List(index);
    return JsArray(OnListFocus(form_, static_cast<std::int16_t>(index)));
  }
  std::string inputName() { return InputAccessibleName(!form_.Text1[1].Enabled); }

 private:
  kviltora::TextBox& TextBox(double index) { return At(form_.Text1, index, "Text1", "text box"); }
  ListBox& List(double index) { return At(form_.Diapazon, index, "Diapazon", "list"); }

  MainForm form_;
};

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_form) {
  using kviltora::Form;
  emscripten::class_<Form>("Form")
      .constructor<>()
      .function("load", &Form::load)
      .function("seed", &Form::seed)
      .function("setText", &Form::setText)
      .function("select", &Form::select)
      .function("clickCommand", &Form::clickCommand)
      .function("clickList", &Form::clickList)
      .function("text", &Form::text)
      .function("enabled", &Form::enabled)
      .function("items", &Form::items)
      .function("listIndex", &Form::listIndex)
      .function("commandCaption", &Form::commandCaption)
      .function("labelCaption", &Form::labelCaption)
      .function("spokenAfterCommand", &Form::spokenAfterCommand)
      .function("spokenAfterList", &Form::spokenAfterList)
      .function("spokenOnListFocus", &Form::spokenOnListFocus)
      .function("inputName", &Form::inputName);
}
