// Replays steps on forms of the native core and writes what each observation
// sees, for comparison with the same steps in the browser.
//
// Input, one step a line: "form" starts a fresh form; "seed N"; "type I HEX"
// (the UTF-8 bytes in hexadecimal, typed over the whole box); "choose L R";
// "command I"; "observe". Output: one JSON array per observation, one a line:
// [Text1(2).Text, Diapazon(2) items, Text1(1).Text, Text1(1).Enabled].
#include <cstdint>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "form_model.h"
#include "input_limit.h"
#include "random.h"
#include "user_actions.h"

namespace kviltora {
namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += {'\\', c};
    } else if (byte < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out += std::string("\\u00") + kHex[byte >> 4] + kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void Observe(const MainForm& form) {
  const ListBox& digits = form.Diapazon[2];
  std::cout << '[' << Json(form.Text1[2].Text) << ",[";
  for (std::int16_t i = 0; i < digits.ListCount(); ++i) {
    std::cout << (i ? "," : "") << Json(digits.List(i));
  }
  std::cout << "]," << Json(form.Text1[1].Text) << ',' << (form.Text1[1].Enabled ? "true" : "false")
            << "]\n";
}

void Step(std::optional<MainForm>& form, const std::string& line) {
  std::istringstream in(line);
  std::string step, argument;
  long index = 0;
  in >> step;
  if (step == "form") {
    form.emplace();
    return;
  }
  in >> index;
  const auto i = static_cast<std::int16_t>(index);
  if (step == "seed") SeedRandom(static_cast<std::uint32_t>(index));
  if (step == "type") {
    const std::u16string typed = ToUtf16(FromHex((in >> argument, argument)));
    UserText1Change(*form, i, typed, typed.size());
  }
  if (step == "choose")
    UserDiapazonClick(*form, i, static_cast<std::int16_t>((in >> index, index)));
  if (step == "command") UserCommand1Click(*form, i);
  if (step == "observe") Observe(*form);
}

}  // namespace
}  // namespace kviltora

int main() {
  std::ios::sync_with_stdio(false);
  std::optional<kviltora::MainForm> form;
  for (std::string line; std::getline(std::cin, line);) kviltora::Step(form, line);
}
