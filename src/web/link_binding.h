// Links and worksheets as plain JavaScript values, for the form's binding and
// the page's free functions alike.
#pragma once

#include <emscripten/val.h>

#include <optional>

#include "links.h"

namespace kviltora {

emscripten::val ToVal(const Link& link);
emscripten::val ToVal(const SheetChoice& sheet);
// A link as the teaching parts' module read it, shown by the window's form; null
// is the window as at start. A value no reading gives is a fault of the page:
// a JavaScript Error.
Link LinkFromVal(const emscripten::val& value);
emscripten::val ToVal(const std::optional<ShownExample>& shown);
std::optional<ShownExample> ShownFromVal(const emscripten::val& value);

}  // namespace kviltora
