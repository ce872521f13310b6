#include "list_control.h"

#include <QMouseEvent>
#include <utility>

namespace kviltora {

ListControl::ListControl(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this,
          [this] { emit userSelected(SelectedRow()); });
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (std::exchange(pressedOnSelected_, false)) emit userSelected(row(item));
  });
}

int ListControl::SelectedRow() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.front());
}

void ListControl::mousePressEvent(QMouseEvent* event) {
  const QModelIndex pressed = indexAt(event->position().toPoint());
  pressedOnSelected_ = pressed.isValid() && pressed.row() == SelectedRow();
  QListWidget::mousePressEvent(event);
}

// Tabbing into a list makes its first item current without selecting it; the
// first arrow key would then skip that item, so no item is current until chosen.
void ListControl::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  if (SelectedRow() < 0) selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
}

// Once chosen, a selection can be changed but never taken away, as the form's
// lists allow.
QItemSelectionModel::SelectionFlags ListControl::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
  const auto flags = QListWidget::selectionCommand(index, event);
  return flags.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : flags;
}

}  // namespace kviltora
