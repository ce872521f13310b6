#include "accessibility.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

#include "form_model.h"
#include "user_actions.h"

namespace kviltora {
namespace {

constexpr const char* kInputProperty = "kviltoraInput";
bool creatingStockInterface = false;

// The stock interface of a line edit reports empty text-attribute runs, and a
// screen reader that splits the text by those runs drops its last character.
// Everything else is left to the stock interface, which the accessibility
// cache keeps and deletes.
class InputInterface : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
 public:
  InputInterface(QLineEdit* input, QAccessibleInterface* stock)
      : QAccessibleWidget(input, QAccessible::EditableText), stock_(stock) {}

  QString text(QAccessible::Text t) const override { return stock_->text(t); }
  void setText(QAccessible::Text t, const QString& text) override { stock_->setText(t, text); }
  QAccessible::State state() const override { return stock_->state(); }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface) {
      return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
  }

  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }
  void addSelection(int start, int end) override { Text()->addSelection(start, end); }
  int cursorPosition() const override { return Text()->cursorPosition(); }
  QRect characterRect(int offset) const override { return Text()->characterRect(offset); }
  int selectionCount() const override { return Text()->selectionCount(); }
  int offsetAtPoint(const QPoint& point) const override { return Text()->offsetAtPoint(point); }
  void selection(int i, int* start, int* end) const override { Text()->selection(i, start, end); }
  QString text(int start, int end) const override { return Text()->text(start, end); }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                           int* end) const override {
    return Text()->textBeforeOffset(offset, type, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                          int* end) const override {
    return Text()->textAfterOffset(offset, type, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                       int* end) const override {
    return Text()->textAtOffset(offset, type, start, end);
  }
  void removeSelection(int i) override { Text()->removeSelection(i); }
  void setCursorPosition(int position) override { Text()->setCursorPosition(position); }
  void setSelection(int i, int start, int end) override { Text()->setSelection(i, start, end); }
  int characterCount() const override { return Text()->characterCount(); }
  void scrollToSubstring(int start, int end) override { Text()->scrollToSubstring(start, end); }

  void deleteText(int start, int end) override { Editable()->deleteText(start, end); }
  void insertText(int offset, const QString& text) override {
    Editable()->insertText(offset, text);
  }
  void replaceText(int start, int end, const QString& text) override {
    Editable()->replaceText(start, end, text);
  }

 private:
  QAccessibleTextInterface* Text() const { return stock_->textInterface(); }
  QAccessibleEditableTextInterface* Editable() const { return stock_->editableTextInterface(); }

  QAccessibleInterface* stock_;
};

QAccessibleInterface* InputFactory(const QString& className, QObject* object) {
  if (creatingStockInterface || className != QLatin1String("QLineEdit") ||
      !object->property(kInputProperty).toBool()) {
    return nullptr;
  }
  creatingStockInterface = true;
  QAccessibleInterface* stock = QAccessible::queryAccessibleInterface(object);
  creatingStockInterface = false;
  return new InputInterface(static_cast<QLineEdit*>(object), stock);
}

// A line edit selects its text as it takes the focus, before it reports the
// focus. A screen reader reads the newly selected text, then the input again
// for the focus: the value twice. The focus already says what is selected, so
// the selection event of taking the focus is not passed on.
QAccessible::UpdateHandler passedOn = nullptr;

void DropTextSelection(QAccessibleEvent* event) {
  if (event->type() == QAccessible::TextSelectionChanged) return;
  const QAccessible::UpdateHandler self = QAccessible::installUpdateHandler(passedOn);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(self);
}

class InputEvents : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* input, QEvent* event) override {
    if (event->type() != QEvent::FocusIn) return false;
    passedOn = QAccessible::installUpdateHandler(DropTextSelection);
    input->event(event);
    QAccessible::installUpdateHandler(passedOn);
    return true;
  }
};

// Raised after the list's own focus event, which names only the list.
class SelectionOnFocus : public QObject {
 public:
  SelectionOnFocus(QListWidget* list, const MainForm& form, std::int16_t index)
      : QObject(list), list_(list), form_(form), index_(index) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      QMetaObject::invokeMethod(this, &SelectionOnFocus::NameSelection, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void NameSelection() {
    if (!list_->hasFocus()) return;
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
      Announce(list_->window(), UserDiapazonFocus(form_, index_));
      return;
    }
    QAccessibleEvent focus(list_, QAccessible::Focus);
    focus.setChild(list_->row(selected.front()));
    QAccessible::updateAccessibility(&focus);
  }

  QListWidget* list_;
  const MainForm& form_;
  std::int16_t index_;
};

// A notification that belongs to no widget: it is never drawn, only announced.
class Notification : public QAccessibleInterface {
 public:
  explicit Notification(QWidget* window) : window_(window) {}

  void SetLines(const std::vector<std::string>& lines) {
    name_ = QString::fromStdString(lines.front());
    QStringList rest;
    for (std::size_t i = 1; i < lines.size(); ++i) rest << QString::fromStdString(lines[i]);
    description_ = rest.join(QLatin1Char('\n'));
  }

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(window_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return name_;
    if (t == QAccessible::Description) return description_;
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  QPointer<QWidget> window_;
  QString name_;
  QString description_;
};

Notification* NotificationOf(QWidget* window) {
  static const char* const kProperty = "kviltoraNotification";
  auto id = window->property(kProperty).value<QAccessible::Id>();
  if (auto* existing = static_cast<Notification*>(QAccessible::accessibleInterface(id))) {
    return existing;
  }
  auto* created = new Notification(window);
  window->setProperty(kProperty,
                      QVariant::fromValue(QAccessible::registerAccessibleInterface(created)));
  return created;
}

}  // namespace

void DescribeInputForScreenReaders(QLineEdit* input) {
  static const bool installed = (QAccessible::installFactory(InputFactory), true);
  (void)installed;
  input->setProperty(kInputProperty, true);
  input->installEventFilter(new InputEvents(input));
  // An interface made before the input was marked is dropped, so that the
  // next query makes ours.
  QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(input);
  if (!dynamic_cast<InputInterface*>(existing)) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
  }
}

void NameSelectionOnFocus(QListWidget* list, const MainForm& form, std::int16_t index) {
  list->installEventFilter(new SelectionOnFocus(list, form, index));
}

void Announce(QWidget* window, const std::vector<std::string>& lines) {
  if (lines.empty() || !QAccessible::isActive()) return;
  Notification* notification = NotificationOf(window);
  notification->SetLines(lines);
  QAccessibleEvent show(notification, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&show);
}

}  // namespace kviltora
