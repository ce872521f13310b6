// The window's look for a browser page: the same table the Qt window takes,
// handed over as plain JavaScript values.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "window_look.h"

namespace kviltora {
namespace {

using emscripten::val;

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox:
      return "textBox";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kList:
      return "list";
  }
  return "";
}

const char* PaperName(Paper paper) {
  switch (paper) {
    case Paper::kLeftOut:
      return "leftOut";
    case Paper::kWhole:
      return "whole";
    case Paper::kChosenRow:
      return "chosenRow";
  }
  return "";
}

// val's own const char* constructor reads Latin-1; the table is UTF-8.
val Utf8(const char* text) {
  return val(std::string(text));
}

val Text(const char* text) {
  return text ? Utf8(text) : val::null();
}

val ToVal(Colour colour) {
  val out = val::object();
  out.set("red", colour.red);
  out.set("green", colour.green);
  out.set("blue", colour.blue);
  return out;
}

val ToVal(const ControlLook& look) {
  val out = val::object();
  out.set("name", Utf8(look.name));
  out.set("kind", Utf8(KindName(look.kind)));
  out.set("index", look.index);
  out.set("left", look.left);
  out.set("top", look.top);
  out.set("width", look.width);
  out.set("height", look.height);
  out.set("points", look.font.points);
  out.set("bold", look.font.bold);
  out.set("back", look.back ? ToVal(*look.back) : val::null());
  out.set("tooltip", Text(look.tooltip));
  out.set("accessibleName", Text(look.accessibleName));
  out.set("column", look.column);
  out.set("paper", Utf8(PaperName(look.paper)));
  out.set("locked", look.locked);
  return out;
}

// Lengths stay in twips, as the table keeps them, with the pixel's share beside.
val WindowLookForPage() {
  const WindowLook& window = MainWindowLook();
  val out = val::object();
  out.set("width", window.width);
  out.set("height", window.height);
  out.set("back", ToVal(window.back));
  out.set("caption", Utf8(window.caption));
  out.set("twipsPerPixel", kTwipsPerPixel);
  val controls = val::array();
  for (const ControlLook& look : ControlsInTabOrder()) controls.call<void>("push", ToVal(look));
  out.set("controls", controls);
  return out;
}

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_look) {
  emscripten::function("windowLook", &kviltora::WindowLookForPage);
}
