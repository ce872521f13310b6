// The window's look for a browser page: the same table the Qt window takes,
// handed over as plain JavaScript values.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdio>
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

// The table goes over as one JSON text, parsed by the browser: a page starts
// with it, and one crossing is a fraction of the time of a value built field
// by field through the binding.
void Quoted(std::string& out, const char* text) {
  if (!text) {
    out += "null";
    return;
  }
  out += '"';
  for (const char* c = text; *c; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += *c;
    } else if (byte < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += *c;  // UTF-8 stays as it is
    }
  }
  out += '"';
}

// The members of one object, in order: a name, then what writes its value.
class Members {
 public:
  explicit Members(std::string& out) : out_(out) { out_ += '{'; }
  ~Members() { out_ += '}'; }
  Members(const Members&) = delete;
  Members& operator=(const Members&) = delete;
  std::string& Name(const char* name) {
    if (!first_) out_ += ',';
    first_ = false;
    Quoted(out_, name);
    out_ += ':';
    return out_;
  }
  void Number(const char* name, int n) { Name(name) += std::to_string(n); }
  void Real(const char* name, double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);  // as many digits as read back the same
    Name(name) += text;
  }
  void Boolean(const char* name, bool b) { Name(name) += b ? "true" : "false"; }
  void Text(const char* name, const char* text) { Quoted(Name(name), text); }

 private:
  std::string& out_;
  bool first_ = true;
};

void Write(std::string& out, Colour colour) {
  Members members(out);
  members.Number("red", colour.red);
  members.Number("green", colour.green);
  members.Number("blue", colour.blue);
}

void Write(std::string& out, const ControlLook& look) {
  Members members(out);
  members.Text("name", look.name);
  members.Text("kind", KindName(look.kind));
  members.Number("index", look.index);
  members.Number("left", look.left);
  members.Number("top", look.top);
  members.Number("width", look.width);
  members.Number("height", look.height);
  members.Real("points", look.font.points);
  members.Boolean("bold", look.font.bold);
  if (look.back) {
    Write(members.Name("back"), *look.back);
  } else {
    members.Name("back") += "null";
  }
  members.Text("tooltip", look.tooltip);
  members.Text("accessibleName", look.accessibleName);
  members.Number("column", look.column);
  members.Text("paper", PaperName(look.paper));
  members.Boolean("locked", look.locked);
}

// Lengths stay in twips, as the table keeps them, with the pixel's share beside.
val WindowLookForPage() {
  const WindowLook& window = MainWindowLook();
  std::string json;
  {
    Members members(json);
    members.Number("width", window.width);
    members.Number("height", window.height);
    Write(members.Name("back"), window.back);
    members.Text("caption", window.caption);
    members.Number("twipsPerPixel", kTwipsPerPixel);
    std::string& controls = members.Name("controls");
    controls += '[';
    bool first = true;
    for (const ControlLook& look : ControlsInTabOrder()) {
      if (!first) controls += ',';
      first = false;
      Write(controls, look);
    }
    controls += ']';
  }
  // Handed over as bytes: the binding's own conversion of a text reads it byte by
  // byte in script, twice, which the browser's decoder does at once.
  const val text =
      val::global("TextDecoder")
          .new_()
          .call<val>("decode", val(emscripten::typed_memory_view(json.size(), json.data())));
  return val::global("JSON").call<val>("parse", text);
}

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_look) {
  emscripten::function("windowLook", &kviltora::WindowLookForPage);
}
