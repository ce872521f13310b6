#pragma once

#include <string>
#include <vector>

#include "form_model.h"

namespace kviltora::testing_support {

// The lines of a text box; every line ends with CR LF, so none is left after the last.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start) + "<no CR LF>");
  return lines;
}

inline std::vector<std::string> Items(const ListBox& list) {
  std::vector<std::string> items;
  for (std::int16_t i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

inline std::int16_t CountIndex(const std::string& count) {
  return static_cast<std::int16_t>(std::stoi(count) - 5);
}

}  // namespace kviltora::testing_support
