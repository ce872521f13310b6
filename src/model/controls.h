#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kviltora {

// Texts are UTF-8; lines inside a text end with CR LF.
inline constexpr const char* kCrLf = "\r\n";

struct TextBox {
  std::string Text;
  bool Enabled = true;
  bool operator==(const TextBox&) const = default;
};

class ListBox {
 public:
  ListBox() = default;
  explicit ListBox(std::vector<std::string> items) : items_(std::move(items)) {}

  std::int16_t ListCount() const { return static_cast<std::int16_t>(items_.size()); }
  std::int16_t ListIndex() const { return listIndex_; }
  // Only the user selects; the procedures never do.
  void Select(std::int16_t index);
  // The text of item i; an empty text for a position outside the list.
  const std::string& List(std::int16_t i) const;
  void Clear();
  void AddItem(std::string text) { items_.push_back(std::move(text)); }
  bool operator==(const ListBox&) const = default;

 private:
  std::vector<std::string> items_;
  std::int16_t listIndex_ = -1;
};

struct CommandButton {
  std::string Caption;
  bool operator==(const CommandButton&) const = default;
};

struct Label {
  std::string Caption;
  bool operator==(const Label&) const = default;
};

}  // namespace kviltora
