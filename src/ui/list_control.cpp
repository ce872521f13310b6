#include "list_control.h"

#include <QMouseEvent>
#include <QScopedValueRollback>
#include <utility>

#include "controls.h"

namespace kviltora {
namespace {

// The newest row among those a change selected: assistive technology can add
// a row beside the one already selected, and it is the added row that was chosen.
int ChosenRow(const QItemSelection& selected) {
  const QModelIndexList rows = selected.indexes();
  return rows.isEmpty() ? -1 : rows.back().row();
}

}  // namespace

ListControl::ListControl(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected) {
            if (!showing_) emit userChose(ChosenRow(selected));
          });
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (std::exchange(pressedOnSelected_, false)) emit userChose(row(item));
  });
}

void ListControl::Show(const ListBox& model) {
  const QScopedValueRollback guard(showing_, true);
  bool same = count() == model.ListCount();
  for (std::int16_t i = 0; same && i < model.ListCount(); ++i) {
    same = item(i)->text() == QString::fromStdString(model.List(i));
  }
  if (!same) {
    clear();
    for (std::int16_t i = 0; i < model.ListCount(); ++i) {
      addItem(QString::fromStdString(model.List(i)));
    }
  }
  const QModelIndex chosen = this->model()->index(model.ListIndex(), 0);
  const QModelIndexList wanted = chosen.isValid() ? QModelIndexList{chosen} : QModelIndexList{};
  if (selectionModel()->selectedIndexes() == wanted) return;
  if (chosen.isValid()) {
    selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect);
    setCurrentIndex(chosen);
  } else {
    clearSelection();
  }
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

}  // namespace kviltora
