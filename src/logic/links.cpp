#include "links.h"

#include <charconv>
#include <optional>
#include <vector>

#include "bases.h"
#include "form_model.h"
#include "input_limit.h"
#include "number_text.h"
#include "random.h"
#include "window_look.h"

namespace kviltora {
namespace {

constexpr std::string_view kCannotUse = "Връзката не може да се използва: ";
constexpr std::string_view kPractice = "practice";
// A sheet that names no range or count takes these, as the button does.
constexpr std::string_view kSheetRange = "100";
constexpr std::string_view kSheetCount = "10";

struct Part {
  std::string key, value;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Well-formed UTF-8 only: no overlong form, no surrogate, nothing past U+10FFFF,
// so that what a link puts in the box is the text it spells.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<std::string> PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (!IsUtf8(out)) return std::nullopt;
  return out;
}

std::string PercentEncoded(std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += c;
    } else {
      (out += '%') += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

// The parts between "&", decoded; a part without "=" has an empty value.
std::optional<std::vector<Part>> Parts(std::string_view fragment) {
  std::vector<Part> parts;
  while (!fragment.empty()) {
    const std::size_t end = std::min(fragment.find('&'), fragment.size());
    const std::string_view part = fragment.substr(0, end);
    fragment.remove_prefix(std::min(end + 1, fragment.size()));
    if (part.empty()) continue;
    const std::size_t equals = std::min(part.find('='), part.size());
    auto key = PercentDecoded(part.substr(0, equals));
    auto value = PercentDecoded(part.substr(std::min(equals + 1, part.size())));
    if (!key || !value) return std::nullopt;
    parts.push_back({std::move(*key), std::move(*value)});
  }
  return parts;
}

// The values of the known keys; a link with any other key, or a key twice, is not ours.
struct Values {
  std::optional<std::string> x, n, mode, sheet, r, kinds, from, to;
};

std::optional<Values> KnownValues(const std::vector<Part>& parts, std::string& notice) {
  Values values;
  for (const Part& part : parts) {
    std::optional<std::string>* slot = part.key == "x"       ? &values.x
                                       : part.key == "n"     ? &values.n
                                       : part.key == "mode"  ? &values.mode
                                       : part.key == "sheet" ? &values.sheet
                                       : part.key == "r"     ? &values.r
                                       : part.key == "kinds" ? &values.kinds
                                       : part.key == "from"  ? &values.from
                                       : part.key == "to"    ? &values.to
                                                             : nullptr;
    if (!slot) {
      notice = "адресът съдържа непознато име; познати са x, n, mode, sheet, r, kinds, from и to.";
      return std::nullopt;
    }
    if (*slot) {
      notice = "името " + part.key + " е дадено два пъти.";
      return std::nullopt;
    }
    *slot = part.value;
  }
  return values;
}

// The row of a list whose item the value is, as the item is written.
std::optional<std::int16_t> RowOf(const ListBox& list, std::string_view value) {
  for (std::int16_t row = 0; row < list.ListCount(); ++row) {
    if (list.List(row) == value) return row;
  }
  return std::nullopt;
}

std::string ItemsAsWords(const ListBox& list) {
  std::string words;
  for (std::int16_t row = 0; row < list.ListCount(); ++row) {
    if (row > 0) words += row + 1 == list.ListCount() ? " или " : ", ";
    words += list.List(row);
  }
  return words;
}

std::string CountRule(const ListBox& counts) {
  return "броят цифри (n) трябва да е цяло число от " + counts.List(0) + " до " +
         counts.List(static_cast<std::int16_t>(counts.ListCount() - 1)) + ".";
}

// A text that is one number and nothing after it, as ParseLeadingNumber reads it.
bool IsWholeNumber(std::string_view text) {
  const LeadingNumber number = ScanLeadingNumber(text);
  return number.found &&
         number.unsignedText.data() + number.unsignedText.size() == text.data() + text.size();
}

// The fraction as the input box keeps it when it is set whole into the empty
// box; a fraction the box would cut, or that is not wholly one number, is refused.
std::optional<std::string> KeptFraction(const std::optional<std::string>& x, std::string& notice) {
  if (!x || x->empty()) {
    notice = "липсва дробта (x).";
    return std::nullopt;
  }
  const std::u16string shown = ToUtf16(*x);
  const BoxEdit kept = KeepEdit(u"", shown, shown.size());
  if (kept.text.size() < shown.size()) {
    notice = "дробта (x) е по-дълга от " + std::to_string(kInputMaxUnits) + " знака.";
    return std::nullopt;
  }
  const std::string fraction = ToUtf8(kept.text);
  if (!IsWholeNumber(fraction)) {
    notice = "дробта (x) не е десетично число.";
    return std::nullopt;
  }
  if (OverflowsADouble(fraction)) {
    notice = "дробта (x) е твърде голямо число.";
    return std::nullopt;
  }
  return fraction;
}

std::optional<std::int16_t> CountRow(const std::optional<std::string>& n, std::string_view missing,
                                     std::string& notice) {
  const MainForm start;
  const ListBox& counts = start.Diapazon[1];
  const auto row = RowOf(counts, n.value_or(std::string(missing)));
  if (!n && !row) notice = "липсва броят цифри (n).";
  if (n && !row) notice = CountRule(counts);
  return row;
}

std::optional<std::uint32_t> Seed(std::string_view text) {
  std::uint32_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return seed;
}

// "d,i,f": each letter once, one of kSheetKindLetters, between commas.
std::optional<std::string> SheetKinds(const std::optional<std::string>& value) {
  if (!value) return std::string(kDoublingOnly);
  std::string letters;
  for (std::size_t i = 0; i < value->size(); i += 2) {
    const char letter = (*value)[i];
    const bool known = kSheetKindLetters.find(letter) != std::string_view::npos;
    const bool separated = i + 1 == value->size() || (*value)[i + 1] == ',';
    if (!known || !separated || letters.find(letter) != std::string::npos) return std::nullopt;
    letters += letter;
  }
  if (letters.empty() || value->ends_with(',')) return std::nullopt;
  return KindsOf(letters);
}

Link SheetLink(const Values& values, std::string& notice) {
  if (values.x || values.mode) {
    notice = "работният лист (sheet) не се съчетава с x и mode.";
    return {};
  }
  const auto seed = Seed(*values.sheet);
  if (!seed) {
    notice = "номерът на листа (sheet) трябва да е цяло число от 0 до 4294967295.";
    return {};
  }
  const MainForm start;
  const ListBox& ranges = start.Diapazon[0];
  const auto rangeRow = RowOf(ranges, values.r.value_or(std::string(kSheetRange)));
  if (!rangeRow) {
    notice = "обхватът (r) трябва да е " + ItemsAsWords(ranges) + ".";
    return {};
  }
  const auto countRow = CountRow(values.n, kSheetCount, notice);
  if (!countRow) return {};
  auto kinds = SheetKinds(values.kinds);
  if (!kinds) {
    notice =
        "видовете задачи (kinds) са букви измежду d, i, f, p и g, всяка веднъж, със "
        "запетая помежду им.";
    return {};
  }
  Link link;
  link.shows = LinkShows::kSheet;
  link.sheet = {*seed, *rangeRow, *countRow, std::move(*kinds)};
  return link;
}

Link ExampleLink(const Values& values, std::string& notice) {
  if (values.kinds) {
    notice = "видовете задачи (kinds) са само за работен лист (sheet).";
    return {};
  }
  if (values.r) {
    notice = "обхватът (r) е само за работен лист (sheet).";
    return {};
  }
  if (values.mode && *values.mode != kPractice) {
    notice = "непознат режим (mode); познат е само practice.";
    return {};
  }
  auto fraction = KeptFraction(values.x, notice);
  if (!fraction) return {};
  const auto countRow = CountRow(values.n, {}, notice);
  if (!countRow) return {};
  Link link;
  link.shows = values.mode ? LinkShows::kPractice : LinkShows::kExample;
  link.fraction = std::move(*fraction);
  link.countRow = *countRow;
  link.count = *values.n;
  return link;
}

// A base as the lists write it, so "010" is no base.
std::optional<int> BaseOf(const std::optional<std::string>& text) {
  for (const int base : bases::kBases) {
    if (text == std::to_string(base)) return base;
  }
  return std::nullopt;
}

Link BasesLink(const Values& values, std::string& notice) {
  Link link;
  link.shows = LinkShows::kBases;
  if (values.n || values.mode || values.sheet || values.r || values.kinds) {
    notice = "преобразуването (from, to) не се съчетава с n, mode, sheet и r.";
    return link;
  }
  const auto from = BaseOf(values.from);
  const auto to = BaseOf(values.to);
  if (!from || !to) {
    notice = "основите (from и to) трябва да са 2, 8, 10 или 16.";
    return link;
  }
  if (values.x) {
    const bases::Reading reading = bases::ReadNumber(*values.x, *from);
    if (!reading.number) {
      notice = "числото (x) не се чете: " + reading.refusal;
      return link;
    }
  }
  link.bases = {*from, *to, values.x.value_or("")};
  return link;
}

Link LinkOfParts(std::string_view fragment, std::string& notice) {
  if (fragment.size() > kLinkMaxLength) {
    notice = "адресът е по-дълъг от " + std::to_string(kLinkMaxLength) + " знака.";
    return {};
  }
  const auto parts = Parts(fragment);
  if (!parts) {
    notice = "адресът съдържа повреден знак % или непозволен знак.";
    return {};
  }
  const auto values = KnownValues(*parts, notice);
  if (!values) return {};
  if (values->from || values->to) return BasesLink(*values, notice);
  if (values->sheet) return SheetLink(*values, notice);
  if (parts->empty()) return {};
  return ExampleLink(*values, notice);
}

// Short enough to read out or type from a printed sheet.
constexpr std::uint32_t kSeedsBelow = 1'000'000;

std::int16_t ChosenOr(const ListBox& list, const char* otherwise) {
  if (list.ListIndex() >= 0) return list.ListIndex();
  for (std::int16_t row = 0; row < list.ListCount(); ++row) {
    if (list.List(row) == otherwise) return row;
  }
  return -1;
}

}  // namespace

Link ReadLink(std::string_view fragment) {
  if (fragment.starts_with('#')) fragment.remove_prefix(1);
  std::string notice;
  Link link = LinkOfParts(fragment, notice);
  if (!notice.empty()) {
    // A bad conversion still opens its part, as at start.
    const LinkShows part = link.shows == LinkShows::kBases ? link.shows : LinkShows::kWindow;
    link = Link();
    link.shows = part;
    link.notice = std::string(kCannotUse) + notice;
  }
  return link;
}

Opened OpenLink(MainForm& form, std::string_view fragment) {
  Opened opened{ReadLink(fragment), {}};
  opened.said = ShowLink(form, opened.link);
  return opened;
}

Said ShowLink(MainForm& form, const Link& link) {
  form = MainForm();
  if (!link.notice.empty()) return link.notice;
  if (link.shows != LinkShows::kExample && link.shows != LinkShows::kPractice) return {};
  // An exercise's window holds its fraction and count too, so that «Край»
  // goes back to what the link named, not to the window at start.
  const std::u16string fraction = ToUtf16(link.fraction);
  UserText1Change(form, 1, fraction, fraction.size());
  UserDiapazonClick(form, 1, link.countRow);
  if (link.shows == LinkShows::kExample) return UserCommand1Click(form, 0);
  return {};
}

std::optional<ShownExample> ExampleShown(const MainForm& form) {
  const std::int16_t countRow = form.Diapazon[1].ListIndex();
  if (form.Text1[1].Enabled || countRow < 0) return std::nullopt;
  return ShownExample{form.Text1[1].Text, form.Diapazon[1].List(countRow)};
}

std::string LinkOf(const std::optional<ShownExample>& shown) {
  if (!shown) return {};
  const std::string link = "x=" + PercentEncoded(shown->fraction) + "&n=" + shown->count;
  // Only what opens again as it stands: an input of letters calculates, but no link carries it.
  return ReadLink(link).shows == LinkShows::kExample ? link : std::string();
}

std::string LinkOf(const MainForm& form) {
  return LinkOf(ExampleShown(form));
}

bool ClickChangesLink(ControlKind kind, std::int16_t index) {
  return kind == ControlKind::kButton || (kind == ControlKind::kList && index == 0);
}

std::optional<std::string> LinkAfterClick(const MainForm& form, ControlKind kind,
                                          std::int16_t index) {
  if (!ClickChangesLink(kind, index)) return std::nullopt;
  return LinkOf(form);
}

std::string PracticeLinkOf(std::string_view fraction, std::string_view count) {
  const std::string link = "x=" + PercentEncoded(fraction) + "&n=" + PercentEncoded(count) +
                           "&mode=" + std::string(kPractice);
  return ReadLink(link).shows == LinkShows::kPractice ? link : std::string();
}

SheetChoice NewSheet(const MainForm& form, std::string_view kinds) {
  return {SeedFromClock(kSeedsBelow), ChosenOr(form.Diapazon[0], "100"),
          ChosenOr(form.Diapazon[1], "10"), KindsOf(kinds)};
}

std::string KindsOf(std::string_view letters) {
  std::string kinds;
  for (const char letter : kSheetKindLetters) {
    if (letters.find(letter) != std::string_view::npos) kinds += letter;
  }
  return kinds.empty() ? std::string(kDoublingOnly) : kinds;
}

// A sheet of doublings alone is written as before kinds were chosen, so that
// its link stays the one already handed out.
std::string SheetLinkOf(const SheetChoice& sheet) {
  const MainForm form;
  std::string link = "sheet=" + std::to_string(sheet.seed) +
                     "&r=" + form.Diapazon[0].List(sheet.rangeRow) +
                     "&n=" + form.Diapazon[1].List(sheet.countRow);
  const std::string kinds = KindsOf(sheet.kinds);
  if (kinds == kDoublingOnly) return link;
  link += "&kinds=";
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (i > 0) link += ",";
    link += kinds[i];
  }
  return link;
}

std::string BasesLinkOf(std::string_view number, int from, int to) {
  const std::string link = "from=" + std::to_string(from) + "&to=" + std::to_string(to);
  const bases::Reading reading = bases::ReadNumber(number, from);
  if (!reading.number || !bases::IsBase(to)) return link;
  return link + "&x=" + PercentEncoded(bases::NumberText(*reading.number));
}

}  // namespace kviltora
