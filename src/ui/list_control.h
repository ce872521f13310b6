#pragma once

#include <QListWidget>

namespace kviltora {

class ListBox;

// A list that reports every row the user chooses, by whatever path the choice
// comes: mouse, keys, type-ahead or assistive technology, and a click on the
// row already selected. What the list then shows is the form's to say.
class ListControl : public QListWidget {
  Q_OBJECT

 public:
  explicit ListControl(QWidget* parent);

  // Shows the form's list: its items and exactly its selected row, reporting nothing.
  void Show(const ListBox& model);

 signals:
  // -1 when the user took the selection away.
  void userChose(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  int SelectedRow() const;

  bool pressedOnSelected_ = false;
  bool showing_ = false;
};

}  // namespace kviltora
