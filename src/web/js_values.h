// What every binding hands the page alike: texts as a JavaScript array, and
// the check that a number from the page is a whole one within bounds.
#pragma once

#include <emscripten/val.h>

#include <cmath>
#include <string>
#include <vector>

namespace kviltora {

inline emscripten::val JsArray(const std::vector<std::string>& texts) {
  emscripten::val out = emscripten::val::array();
  for (const std::string& text : texts) out.call<void>("push", text);
  return out;
}

inline bool IsWholeIn(double n, double low, double high) {
  return n >= low && n <= high && std::trunc(n) == n;
}

}  // namespace kviltora
