#pragma once

// What the output box may hold at any moment, checked on the form alone, so
// that any driver of the form (widget monkey, fuzzer, table test) can ask it
// after every event. Plain C++: no Qt, no GoogleTest.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "form_lines.h"
#include "form_model.h"
#include "number_text.h"

namespace kviltora::testing_support {

namespace trace_lines {
inline const std::string kHeading = "Преобразувам десетичната дроб: ";
inline const std::string kFormed = "Новото число се формира от изчислените остатъци.";
inline const std::string kOrder = "Подредбата е в реда на получаването им.";
inline const std::string kCheck = "Проверка на резултата: ";
inline const std::string kSum = "След обратно преобразуване числото е: ";
inline const std::string kChooseCount = "Изберете брой цифри от списъка „Брой цифри“.";
inline const std::string kTooLarge = "Числото е твърде голямо.";
}  // namespace trace_lines

namespace trace_detail {

using Strings = std::vector<std::string>;

inline std::optional<double> Read(const std::string& text) {
  try {
    return ParseLeadingNumber(text);
  } catch (const NumberOverflow&) {
    return std::nullopt;
  }
}

// ASCII letters folded, so that "Inf" and "NaN" are found as well; UTF-8
// bytes of Cyrillic letters are left alone.
inline bool HoldsInfinityOrNaN(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

// The trace is of the number in the input box, which a calculation locks.
inline std::string HeadingFault(const MainForm& form, const std::string& heading) {
  if (form.Text1[1].Enabled) return "a trace stands beside an editable input";
  const std::optional<double> input = Read(form.Text1[1].Text);
  if (!input) return "a trace of a number too large for a double";
  const double x = std::fabs(*input);
  const std::string expected = trace_lines::kHeading + FormatGeneral(x - std::floor(x));
  return heading == expected ? "" : "the heading is not the input's fraction: " + heading;
}

// Each doubled line is twice what the line before left after its digit. Both
// are rounded to 15 significant digits, hence the slack; a line that rounds
// to "1" may carry either digit.
inline std::string DoublingsFault(const Strings& lines, const Strings& digits) {
  double left = Read(lines[0].substr(trace_lines::kHeading.size())).value_or(-1);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const std::string& line = lines[i + 1];
    const double doubled = Read(line).value_or(-1);
    if (digits[i] != "0" && digits[i] != "1") return "a digit is neither 0 nor 1: " + digits[i];
    if (std::fabs(doubled - 2 * left) > 4e-14) return "a line does not double the last: " + line;
    if (doubled != 1 && digits[i] != (doubled > 1 ? "1" : "0")) {
      return "a digit is not the whole part of " + line;
    }
    left = doubled - (digits[i] == "1");
  }
  // The smallest count is 5, so fewer than 4 digits mean the remainder was 0.
  const std::string& last = lines[digits.size()];
  const bool endedAtZero = last == "1" || last == trace_lines::kHeading + "0";
  return digits.size() >= 4 || endedAtZero ? "" : "the digits stop before a zero remainder";
}

// The result is "0." and the digits; the check writes each digit's weight and
// their sum with as many decimals as there are digits, which makes them exact.
inline std::string CheckFault(const Strings& lines, const Strings& digits) {
  const std::size_t n = digits.size();
  const auto decimals = static_cast<std::int16_t>(n == 0 ? -1 : n);
  std::string result = "0.";
  for (const std::string& d : digits) result += d;
  if (lines[n + 3] != result) return "the result line is not 0. and the digits: " + lines[n + 3];
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double term = std::ldexp(digits[i] == "1" ? 1.0 : 0.0, -static_cast<int>(i + 1));
    const std::string expected = "+" + FormatFixed(term, decimals);
    if (lines[n + 5 + i] != expected)
      return "term " + std::to_string(i + 1) + " is not " + expected;
    sum += term;
  }
  const std::string expected = trace_lines::kSum + FormatFixed(sum, decimals);
  return lines.back() == expected ? "" : "the sum line is not " + expected;
}

inline std::string WholeTraceFault(const MainForm& form) {
  const std::string& text = form.Text1[2].Text;
  if (!text.ends_with("\r\n")) return "the trace does not end with CR LF";
  if (HoldsInfinityOrNaN(text)) return "the trace shows an infinity or NaN";
  const Strings lines = Lines(text);
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) return "a lone CR or LF in: " + line;
  }
  const Strings digits = Items(form.Diapazon[2]);
  const std::size_t n = digits.size();
  if (lines.size() != 2 * n + 6) {
    return std::to_string(lines.size()) + " lines for " + std::to_string(n) + " digits";
  }
  if (!lines[0].starts_with(trace_lines::kHeading)) return "no heading: " + lines[0];
  if (lines[n + 1] != trace_lines::kFormed || lines[n + 2] != trace_lines::kOrder ||
      lines[n + 4] != trace_lines::kCheck) {
    return "the fixed lines are out of place";
  }
  for (const std::string& fault :
       {HeadingFault(form, lines[0]), DoublingsFault(lines, digits), CheckFault(lines, digits)}) {
    if (!fault.empty()) return fault;
  }
  return "";
}

}  // namespace trace_detail

// Empty when the output box holds something the window may show: nothing, one
// of the two refusals, the start-up sample, or a whole trace that agrees with
// the digit list and the input; otherwise a description of what is wrong.
inline std::string TraceFault(const MainForm& form) {
  const std::string& text = form.Text1[2].Text;
  if (text == InitialSampleTrace()) return "";
  const bool blank = text.empty() || text == trace_lines::kChooseCount + "\r\n" ||
                     text == trace_lines::kTooLarge + "\r\n";
  if (!blank) return trace_detail::WholeTraceFault(form);
  if (form.Diapazon[2].ListCount() != 0) return "digits without a trace";
  return form.Text1[1].Enabled ? "" : "the input is locked without a trace";
}

}  // namespace kviltora::testing_support
