// What the page tells those around it once an exercise ends, and the few rules
// of the platform's API: how far up to look for it, what to log when it refuses.
#include "report_binding.h"

#include <emscripten/bind.h>

#include <string>

namespace kviltora {

using emscripten::val;

val ReportOf(const ExerciseResult& result) {
  val lms = val::array();
  for (const auto& [element, value] : LmsValues(result)) {
    val pair = val::array();
    pair.call<void>("push", element);
    pair.call<void>("push", value);
    lms.call<void>("push", pair);
  }
  val message = val::object();
  message.set("type", std::string(kExerciseMessageType));
  message.set("fraction", result.fraction);
  message.set("count", result.count);
  message.set("right", result.right);
  message.set("questions", result.questions);
  val out = val::object();
  out.set("lms", lms);
  out.set("message", message);
  return out;
}

namespace {

int LmsApiSearchDepth() {
  return kLmsApiSearchDepth;
}

std::string LmsRefusalLine(const std::string& call, const std::string& error) {
  return LmsRefusal(call, error);
}

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_report) {
  emscripten::function("lmsApiSearchDepth", &kviltora::LmsApiSearchDepth);
  emscripten::function("lmsRefusal", &kviltora::LmsRefusalLine);
}
