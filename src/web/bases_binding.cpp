// The number-systems part for the page: one conversion at a time, returned
// whole for the page to draw, with the captions and the bases to offer; every
// rule and every text stays in kviltora_core.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <utility>

#include "bases.h"
#include "bases_texts.h"
#include "js_values.h"
#include "links.h"

namespace kviltora {
namespace {

using emscripten::val;

int Base(double base) {
  return IsWholeIn(base, 0, 16) ? static_cast<int>(base) : 0;  // 0 is refused as no base
}

std::string BasesLink(const std::string& number, double from, double to) {
  return BasesLinkOf(number, Base(from), Base(to));
}

val Converted(const std::string& number, double from, double to) {
  const bases::Conversion conversion = bases::Convert(number, Base(from), Base(to));
  val out = val::object();
  out.set("refusal", conversion.refusal);
  out.set("steps", JsArray(conversion.steps));
  out.set("result", conversion.resultLine);
  out.set("check", JsArray(conversion.check));
  out.set("said", bases::Said(conversion));
  out.set("link", BasesLink(number, from, to));
  return out;
}

val BasesCaptions() {
  const bases_texts::Captions& c = bases_texts::PageCaptions();
  val out = val::object();
  for (const auto& [name, text] : {std::pair{"open", &c.open},
                                   {"heading", &c.heading},
                                   {"number", &c.number},
                                   {"from", &c.from},
                                   {"to", &c.to},
                                   {"convert", &c.convert},
                                   {"solution", &c.solution},
                                   {"back", &c.back}}) {
    out.set(name, *text);
  }
  val bases = val::array();
  for (const int base : bases::kBases) bases.call<void>("push", base);
  out.set("bases", bases);
  out.set("defaultFrom", bases::kDefaultFrom);
  out.set("defaultTo", bases::kDefaultTo);
  return out;
}

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_bases) {
  emscripten::function("convertBases", &kviltora::Converted);
  emscripten::function("basesCaptions", &kviltora::BasesCaptions);
  emscripten::function("basesLink", &kviltora::BasesLink);
}
