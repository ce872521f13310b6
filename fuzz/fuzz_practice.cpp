// What a pupil types into an exercise's answer box, and what a teacher's link
// names for a worksheet.
//
// Input: lines. The first is an address fragment: if it opens a worksheet, the
// sheet is drawn and its link must open the same choice again. The second line's
// first byte picks a conversion ('0'..'9') and every further line is an answer:
// to that conversion's exercise and to the doubling exercise of 0.45 alike.
// Neither may crash, and each must end after its questions, right or wrong.
#include <cstdint>
#include <string>
#include <vector>

#include "conversion_exercise.h"
#include "exercise.h"
#include "fuzz_check.h"
#include "links.h"
#include "worksheet.h"

namespace kviltora {
namespace {

using fuzz::Require;

struct Conversion {
  const char* number;
  int from, to;
};
constexpr Conversion kConversions[] = {
    {"37", 10, 2},    {"2026", 10, 16}, {"0.1", 10, 2},    {"0.625", 10, 8}, {"0.01", 10, 2},
    {"2B.1", 16, 10}, {"CE", 16, 8},    {"101101", 2, 16}, {"-7.5", 10, 8},  {"777.7", 8, 16},
};

std::vector<std::string> Lines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(data[i]);
    }
  }
  return lines;
}

void Sheet(const std::string& fragment) {
  const Link link = ReadLink(fragment);
  if (link.shows != LinkShows::kSheet) return;
  const Worksheet sheet = DrawWorksheet(link.sheet);
  Require(sheet.exercises.size() <= kSheetExercises, "at most ten tasks", fragment);
  Require(ReadLink(SheetLinkOf(link.sheet)).sheet == link.sheet, "its link opens it again",
          fragment);
}

}  // namespace
}  // namespace kviltora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  const std::vector<std::string> lines = Lines(data, size);
  Sheet(lines[0]);
  if (lines.size() < 2 || lines[1].empty()) return 0;
  const Conversion& c = kConversions[static_cast<unsigned char>(lines[1][0]) % 10];
  ConversionExercise conversion;
  conversion.Start(c.number, c.from, c.to);
  Exercise doubling;
  doubling.Start("0.45", "10");
  for (std::size_t i = 2; i < lines.size(); ++i) {
    conversion.Check(lines[i]);
    doubling.Check(lines[i]);
  }
  // Two answers to a question at most, so twice its questions end it.
  const std::size_t questions = conversion.Questions().size();
  for (std::size_t i = 0; i < 2 * questions && !conversion.Finished(); ++i) conversion.Check("?");
  Require(conversion.Finished(), "a conversion exercise ends", c.number);
  Require(conversion.Summarised().lines.size() == questions, "a summary line per question");
  return 0;
}
