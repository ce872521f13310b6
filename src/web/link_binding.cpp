// The address fragment and the worksheet for a browser page: what a link
// opens, the link of what is shown, and the sheet's every text, all the core's.
// They belong to the teaching parts' module; the window's module only shows a
// link read here.
#include "link_binding.h"

#include <emscripten/bind.h>

#include <string>

#include "form_model.h"
#include "js_values.h"
#include "worksheet.h"

namespace kviltora {
namespace {

using emscripten::val;

// Only a whole number inside [low, high] is a seed or a row; anything else is
// a fault of the calling page.
double Whole(double n, double low, double high, const char* what) {
  if (!IsWholeIn(n, low, high)) {
    val::global("Error").new_(std::string(what) + ": not a whole number in range").throw_();
  }
  return n;
}

// The kinds are letters in any order; the core keeps those it knows.
SheetChoice Choice(double seed, double rangeRow, double countRow, const std::string& kinds) {
  const MainForm form;
  return {static_cast<std::uint32_t>(Whole(seed, 0, UINT32_MAX, "seed")),
          static_cast<std::int16_t>(Whole(rangeRow, 0, form.Diapazon[0].ListCount() - 1, "range")),
          static_cast<std::int16_t>(Whole(countRow, 0, form.Diapazon[1].ListCount() - 1, "count")),
          KindsOf(kinds)};
}

val WorksheetForPage(double seed, double rangeRow, double countRow, const std::string& kinds) {
  const Worksheet sheet = DrawWorksheet(Choice(seed, rangeRow, countRow, kinds));
  val out = val::object();
  out.set("title", sheet.title);
  out.set("pupil", JsArray(sheet.pupil));
  out.set("task", sheet.task);
  out.set("keyTitle", sheet.keyTitle);
  out.set("kinds", sheet.kinds);
  out.set("ruledLines", sheet.ruledLines);
  val exercises = val::array();
  for (const SheetExercise& e : sheet.exercises) {
    val exercise = val::object();
    exercise.set("heading", e.heading);
    exercise.set("stepLines", JsArray(e.stepLines));
    exercise.set("wholeLines", JsArray(e.wholeLines));
    exercise.set("answers", JsArray(e.key));
    exercises.call<void>("push", exercise);
  }
  out.set("exercises", exercises);
  return out;
}

std::string SheetLinkForPage(double seed, double rangeRow, double countRow,
                             const std::string& kinds) {
  return SheetLinkOf(Choice(seed, rangeRow, countRow, kinds));
}

std::string PracticeLinkForPage(const std::string& fraction, const std::string& count) {
  return PracticeLinkOf(fraction, count);
}

// What a fragment opens, read apart from the window's form, which shows it.
val ReadLinkForPage(const std::string& fragment) {
  return ToVal(ReadLink(fragment));
}

// The fragment of what the window's form says it shows.
std::string ExampleLinkForPage(const val& shown) {
  return LinkOf(ShownFromVal(shown));
}

val SheetCaptionsForPage() {
  const SheetCaptions& captions = SheetButtonCaptions();
  val out = val::object();
  for (const auto& [name, text] : {std::pair{"open", captions.open},
                                   {"print", captions.print},
                                   {"back", captions.back},
                                   {"showKey", captions.showKey},
                                   {"hideKey", captions.hideKey},
                                   {"withoutKey", captions.withoutKey},
                                   {"kindsLegend", captions.kindsLegend}}) {
    out.set(name, std::string(text));
  }
  val kinds = val::array();
  const std::vector<std::string>& names = SheetKindNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    val kind = val::object();
    kind.set("letter", std::string(1, kSheetKindLetters[i]));
    kind.set("name", names[i]);
    kinds.call<void>("push", kind);
  }
  out.set("kinds", kinds);
  return out;
}

}  // namespace

}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_links) {
  emscripten::function("worksheet", &kviltora::WorksheetForPage);
  emscripten::function("sheetLink", &kviltora::SheetLinkForPage);
  emscripten::function("sheetCaptions", &kviltora::SheetCaptionsForPage);
  emscripten::function("practiceLink", &kviltora::PracticeLinkForPage);
  emscripten::function("readLink", &kviltora::ReadLinkForPage);
  emscripten::function("exampleLink", &kviltora::ExampleLinkForPage);
}
