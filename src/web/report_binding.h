// A finished exercise as the page hands it to a learning platform and to a
// framing page; the exercise's binding calls it, the rest stays in the core.
#pragma once

#include <emscripten/val.h>

#include "report.h"

namespace kviltora {

// {lms: [[element, value], ...], message: {type, fraction, count, right, questions}}
emscripten::val ReportOf(const ExerciseResult& result);

}  // namespace kviltora
