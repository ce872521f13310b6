#pragma once

#include <QListWidget>

namespace kviltora {

// A list that reports every choice the user makes, and only those: a changed
// selection by mouse or keyboard, and a click on the item already selected.
class ListControl : public QListWidget {
  Q_OBJECT

 public:
  explicit ListControl(QWidget* parent);

 signals:
  void userSelected(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  int SelectedRow() const;

  bool pressedOnSelected_ = false;
};

}  // namespace kviltora
