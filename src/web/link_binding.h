// Links and worksheets as plain JavaScript values, for the form's binding and
// the page's free functions alike.
#pragma once

#include <emscripten/val.h>

#include "links.h"

namespace kviltora {

emscripten::val ToVal(const Link& link);
emscripten::val ToVal(const SheetChoice& sheet);

}  // namespace kviltora
