// The address fragment and the worksheet for a browser page: what a link
// opens, the link of what is shown, and the sheet's every text, all the core's.
#include "link_binding.h"

#include <emscripten/bind.h>

#include <string>

#include "form_model.h"
#include "js_values.h"
#include "worksheet.h"

namespace kviltora {
namespace {

using emscripten::val;

const char* ShowsName(LinkShows shows) {
  switch (shows) {
    case LinkShows::kWindow:
      return "window";
    case LinkShows::kExample:
      return "example";
    case LinkShows::kPractice:
      return "practice";
    case LinkShows::kSheet:
      return "sheet";
    case LinkShows::kBases:
      return "bases";
  }
  return "";
}

// Only a whole number inside [low, high] is a seed or a row; anything else is
// a fault of the calling page.
double Whole(double n, double low, double high, const char* what) {
  if (!IsWholeIn(n, low, high)) {
    val::global("Error").new_(std::string(what) + ": not a whole number in range").throw_();
  }
  return n;
}

SheetChoice Choice(double seed, double rangeRow, double countRow) {
  const MainForm form;
  return {static_cast<std::uint32_t>(Whole(seed, 0, UINT32_MAX, "seed")),
          static_cast<std::int16_t>(Whole(rangeRow, 0, form.Diapazon[0].ListCount() - 1, "range")),
          static_cast<std::int16_t>(Whole(countRow, 0, form.Diapazon[1].ListCount() - 1, "count"))};
}

val WorksheetForPage(double seed, double rangeRow, double countRow) {
  const Worksheet sheet = DrawWorksheet(Choice(seed, rangeRow, countRow));
  val out = val::object();
  out.set("title", sheet.title);
  out.set("task", sheet.task);
  out.set("keyTitle", sheet.keyTitle);
  out.set("ruledLines", sheet.ruledLines);
  val exercises = val::array();
  for (const SheetExercise& e : sheet.exercises) {
    val exercise = val::object();
    exercise.set("heading", e.heading);
    exercise.set("answers", JsArray({e.result, e.sum, e.exact}));
    exercises.call<void>("push", exercise);
  }
  out.set("exercises", exercises);
  return out;
}

std::string SheetLinkForPage(double seed, double rangeRow, double countRow) {
  return SheetLinkOf(Choice(seed, rangeRow, countRow));
}

std::string PracticeLinkForPage(const std::string& fraction, const std::string& count) {
  return PracticeLinkOf(fraction, count);
}

val SheetCaptionsForPage() {
  const SheetCaptions& captions = SheetButtonCaptions();
  val out = val::object();
  out.set("open", std::string(captions.open));
  out.set("print", std::string(captions.print));
  out.set("back", std::string(captions.back));
  return out;
}

}  // namespace

val ToVal(const SheetChoice& sheet) {
  val out = val::object();
  out.set("seed", static_cast<double>(sheet.seed));
  out.set("rangeRow", sheet.rangeRow);
  out.set("countRow", sheet.countRow);
  return out;
}

val ToVal(const Link& link) {
  val out = val::object();
  out.set("shows", std::string(ShowsName(link.shows)));
  out.set("fraction", link.fraction);
  out.set("countRow", link.countRow);
  out.set("count", link.count);
  out.set("sheet", ToVal(link.sheet));
  val bases = val::object();
  bases.set("from", link.bases.from);
  bases.set("to", link.bases.to);
  bases.set("number", link.bases.number);
  out.set("bases", bases);
  out.set("notice", link.notice);
  return out;
}

}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_links) {
  emscripten::function("worksheet", &kviltora::WorksheetForPage);
  emscripten::function("sheetLink", &kviltora::SheetLinkForPage);
  emscripten::function("sheetCaptions", &kviltora::SheetCaptionsForPage);
  emscripten::function("practiceLink", &kviltora::PracticeLinkForPage);
}
