#include "controls.h"

namespace kviltora {

void ListBox::Select(std::int16_t index) {
  listIndex_ = (index >= 0 && index < ListCount()) ? index : -1;
}

const std::string& ListBox::List(std::int16_t i) const {
  static const std::string kNoItem;
  return (i >= 0 && i < ListCount()) ? items_[static_cast<std::size_t>(i)] : kNoItem;
}

void ListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
}

}  // namespace kviltora
