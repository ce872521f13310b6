#include "input_limit.h"

#include <algorithm>

#include "window_look.h"

namespace kviltora {
namespace {

bool IsHigh(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The leading whole characters of `piece` that fit in `room` units.
std::u16string Whole(std::u16string_view piece, std::size_t room) {
  std::u16string kept;
  for (std::size_t i = 0; i < piece.size(); ++i) {
    const bool pair = IsHigh(piece[i]) && i + 1 < piece.size() && IsLow(piece[i + 1]);
    if (!pair && (IsHigh(piece[i]) || IsLow(piece[i]))) continue;
    const std::size_t length = pair ? 2 : 1;
    if (kept.size() + length > room) break;
    kept += piece.substr(i, length);
    i += length - 1;
  }
  return kept;
}

std::size_t CommonPrefix(std::u16string_view a, std::u16string_view b, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

}  // namespace

BoxEdit KeepEdit(std::u16string_view before, std::u16string_view after, std::size_t caret) {
  // An edit replaces one stretch of the text. The caret stands at the end of
  // what was put in, so what follows it is the untouched end of the old text;
  // where that does not hold, the common start and end of the two texts tell.
  caret = std::min(caret, after.size());
  std::size_t tail = after.size() - caret;
  if (tail > before.size() || before.substr(before.size() - tail) != after.substr(caret)) {
    tail = 0;
    const std::size_t most = std::min(before.size(), after.size());
    while (tail < most && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
      ++tail;
    }
  }
  const std::size_t head =
      CommonPrefix(before, after, std::min(before.size(), after.size()) - tail);
  const std::size_t untouched = head + tail;
  const std::size_t room = untouched < kInputMaxUnits ? kInputMaxUnits - untouched : 0;
  std::u16string put = Whole(after.substr(head, after.size() - tail - head), room);
  // Bulgarian is written, and its keypad types, with a decimal comma; the
  // number rules read only a point, so the box keeps a point.
  std::replace(put.begin(), put.end(), u',', u'.');
  std::u16string text(before.substr(0, head));
  text += put;
  text += before.substr(before.size() - tail);
  return {text, head + put.size()};
}

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += length;
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  std::string out;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = utf16[i];
    if (IsHigh(utf16[i]) && i + 1 < utf16.size() && IsLow(utf16[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (IsHigh(utf16[i]) || IsLow(utf16[i])) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | code >> 12);
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | code >> 18);
      out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace kviltora
