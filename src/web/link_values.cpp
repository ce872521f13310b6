// Links as plain JavaScript values, to and from both of the page's modules: the
// teaching parts read a link and write one, the window's form shows it.
#include <emscripten/val.h>

#include <string>

#include "form_model.h"
#include "js_values.h"
#include "link_binding.h"

namespace kviltora {
namespace {

using emscripten::val;

constexpr LinkShows kShows[] = {LinkShows::kWindow, LinkShows::kExample, LinkShows::kPractice,
                                LinkShows::kSheet, LinkShows::kBases};

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

val NotALink(const std::string& why) {
  return val::global("Error").new_("not a link: " + why);
}

}  // namespace

val ToVal(const SheetChoice& sheet) {
  val out = val::object();
  out.set("seed", static_cast<double>(sheet.seed));
  out.set("rangeRow", sheet.rangeRow);
  out.set("countRow", sheet.countRow);
  out.set("kinds", sheet.kinds);
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

Link LinkFromVal(const val& value) {
  Link link;
  if (value.isNull() || value.isUndefined()) return link;  // the window as at start
  const std::string shows = value["shows"].as<std::string>();
  bool known = false;
  for (const LinkShows kind : kShows) {
    if (shows == ShowsName(kind)) link.shows = kind, known = true;
  }
  if (!known) NotALink("shows " + shows).throw_();
  const double row = value["countRow"].as<double>();
  if (!IsWholeIn(row, -1, MainForm().Diapazon[1].ListCount() - 1)) {
    NotALink("countRow " + val(row).call<std::string>("toString")).throw_();
  }
  link.countRow = static_cast<std::int16_t>(row);
  link.fraction = value["fraction"].as<std::string>();
  link.notice = value["notice"].as<std::string>();
  return link;
}

val ToVal(const std::optional<ShownExample>& shown) {
  if (!shown) return val::null();
  val out = val::object();
  out.set("fraction", shown->fraction);
  out.set("count", shown->count);
  return out;
}

std::optional<ShownExample> ShownFromVal(const val& value) {
  if (value.isNull() || value.isUndefined()) return std::nullopt;
  return ShownExample{value["fraction"].as<std::string>(), value["count"].as<std::string>()};
}

}  // namespace kviltora
