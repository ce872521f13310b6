// Whole calculations on a form, with clearing and random proposals between them.
//
// Input: one byte choosing the digit count ('a' is the first item, 'v' the
// last, 'w' none); the input text, which ends after 9 characters or at a
// newline; then events: '0' calculate, '1' clear, '2' followed by a range
// ('0'..'5', '6' none) to select and click, '3' followed by a count byte as
// above. Any other byte is the event of its value modulo 4 ('0' is 48).
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form_model.h"
#include "fuzz_check.h"
#include "number_text.h"
#include "procedures.h"
#include "random.h"
#include "trace_invariants.h"

namespace kviltora {
namespace {

using fuzz::Require;

constexpr std::size_t kInputLimit = 9;
using testing_support::Lines;
using testing_support::TraceFault;
using namespace testing_support::trace_lines;

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ == size_; }
  std::uint8_t Next() { return Done() ? 0 : data_[at_++]; }
  std::uint8_t Peek(std::size_t ahead) const {
    return at_ + ahead < size_ ? data_[at_ + ahead] : 0;
  }
  void Skip(std::size_t count) { at_ += count; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) return out += static_cast<char>(c);
  if (c < 0x800)
    return (out += static_cast<char>(0xC0 | c >> 6)) += static_cast<char>(0x80 | (c & 0x3F));
  if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
  }
  out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
  return out += static_cast<char>(0x80 | (c & 0x3F));
}

// One character: a well-formed UTF-8 sequence stands for itself, any other
// byte for the Latin-1 character of its value, so that every input is text
// and seeds can be written as plain text.
std::string NextCharacter(Reader& in) {
  const std::uint8_t lead = in.Next();
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  bool wellFormed = lead < 0x80 || (lead >= 0xC0 && lead < 0xF8);
  for (std::size_t i = 0; i + 1 < length && wellFormed; ++i) {
    wellFormed = (in.Peek(i) & 0xC0) == 0x80;
    c = c << 6 | (in.Peek(i) & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  wellFormed = wellFormed && c >= kShortest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  if (!wellFormed) return Utf8(lead);
  in.Skip(length - 1);
  return Utf8(c);
}

std::string InputText(Reader& in) {
  std::string text;
  for (std::size_t n = 0; n < kInputLimit && !in.Done() && in.Peek(0) != '\n'; ++n) {
    text += NextCharacter(in);
  }
  if (in.Peek(0) == '\n') in.Skip(1);
  return text;
}

std::size_t Characters(const std::string& text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::optional<double> Read(const std::string& text) {
  try {
    return ParseLeadingNumber(text);
  } catch (const NumberOverflow&) {
    return std::nullopt;
  }
}

// What the form held just before the click.
struct Before {
  std::string input;
  bool enabled;
  std::int16_t count;
};

void CheckRefusal(const MainForm& form, const Before& before, const std::string& line) {
  Require(form.Text1[2].Text == line + "\r\n", "a refusal is its one line alone",
          form.Text1[2].Text);
  Require(form.Diapazon[2].ListCount() == 0, "a refusal leaves no digits");
  Require(form.Text1[1].Enabled == before.enabled,
          "a refusal leaves the input as editable as it was");
}

// The shared checker judges the trace on the form alone; what it cannot know
// is that a calculation was asked for, and with which count.
void CheckTrace(const MainForm& form, const Before& before) {
  const std::string fault = TraceFault(form);
  Require(fault.empty(), fault, form.Text1[2].Text);
  Require(form.Text1[2].Text.starts_with(kHeading), "a calculation writes a trace",
          form.Text1[2].Text);
  const std::vector<std::string> lines = Lines(form.Text1[2].Text);
  const std::size_t n = form.Diapazon[2].ListCount();
  const auto wanted =
      static_cast<std::size_t>(ParseLeadingNumber(form.Diapazon[1].List(before.count)) - 1);
  Require(n == wanted || lines[n] == "1" || lines[n] == kHeading + "0",
          "the digits stop early only at a remainder of zero", lines[n]);
}

void CalculateAndCheck(MainForm& form) {
  const Before before{form.Text1[1].Text, form.Text1[1].Enabled, form.Diapazon[1].ListIndex()};
  OnCommand1Click(form, 0);
  Require(form.Text1[1].Text == before.input, "a calculation keeps the input", before.input);
  if (before.count < 0) return CheckRefusal(form, before, kChooseCount);
  if (!Read(before.input)) return CheckRefusal(form, before, kTooLarge);
  CheckTrace(form, before);
}

void ExpectCleared(const MainForm& form) {
  Require(form.Text1[2].Text.empty() && form.Diapazon[2].ListCount() == 0,
          "clearing empties the trace and the digits");
  Require(form.Text1[1].Enabled, "clearing unlocks the input");
}

void ClearAndCheck(MainForm& form) {
  OnCommand1Click(form, 1);
  ExpectCleared(form);
  Require(form.Text1[1].Text.empty(), "clearing empties the input", form.Text1[1].Text);
}

void ProposeAndCheck(MainForm& form, std::int16_t range) {
  form.Diapazon[0].Select(range);
  OnDiapazonClick(form, 0);
  ExpectCleared(form);
  const std::string& text = form.Text1[1].Text;
  if (range < 0) return Require(text.empty(), "no range proposes nothing", text);
  const double r = ParseLeadingNumber(form.Diapazon[0].List(range));
  const double k = *Read(text) * r;
  Require(std::fabs(k - std::round(k)) < 1e-6 && k > 0.5 && k < r + 0.5,
          "a proposal is k/r with k in 1..r", text);
  Require(FormatGeneral(*Read(text)) == text, "a proposal reads back as written", text);
}

std::int16_t CountChoice(std::uint8_t b) {
  const int choice = static_cast<std::uint8_t>(b - 'a') % 23;
  return static_cast<std::int16_t>(choice == 22 ? -1 : choice);
}

std::int16_t RangeChoice(std::uint8_t b) {
  const int choice = static_cast<std::uint8_t>(b - '0') % 7;
  return static_cast<std::int16_t>(choice == 6 ? -1 : choice);
}

void RunEvent(MainForm& form, Reader& in) {
  switch (in.Next() % 4) {
    case 0:
      return CalculateAndCheck(form);
    case 1:
      return ClearAndCheck(form);
    case 2:
      return ProposeAndCheck(form, RangeChoice(in.Next()));
    default:
      return form.Diapazon[1].Select(CountChoice(in.Next()));
  }
}

std::uint32_t Fingerprint(const std::uint8_t* data, std::size_t size) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  return h;
}

}  // namespace
}  // namespace kviltora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  SeedRandom(Fingerprint(data, size));
  Reader in(data, size);
  MainForm form;
  form.Diapazon[1].Select(CountChoice(in.Next()));
  form.Text1[1].Text = InputText(in);
  CalculateAndCheck(form);
  while (!in.Done()) {
    RunEvent(form, in);
    Require(Characters(form.Text1[1].Text) <= kInputLimit, "the input holds at most 9 characters",
            form.Text1[1].Text);
  }
  return 0;
}
