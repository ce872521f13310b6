#include "main_window.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>

#include "accessibility.h"
#include "announcements.h"
#include "button_control.h"
#include "list_control.h"
#include "window_look.h"

namespace kviltora {
namespace {

// Times New Roman is rarely installed on Linux; the metric-compatible serifs
// keep every caption the width it was laid out for.
QFont TimesNewRoman(FontLook look) {
  QFont font;
  font.setFamilies({"Times New Roman", "Liberation Serif", "Tinos"});
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(look.points);
  font.setWeight(look.bold ? QFont::Bold : QFont::Normal);
  return font;
}

QColor ToQColor(Colour colour) {
  return {colour.red, colour.green, colour.blue};
}

// Boxes and lists colour the area their text sits on; labels and buttons their face.
QPalette::ColorRole BackRole(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return QPalette::Window;
    case ControlKind::kButton:
      return QPalette::Button;
    default:
      return QPalette::Base;
  }
}

void Paint(QWidget* widget, QPalette::ColorRole role, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QString FromModel(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPlainTextEdit* LockedTextBox(QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setReadOnly(true);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  return box;
}

void ShowText(QPlainTextEdit* box, const TextBox& model, std::string& shown) {
  if (shown != model.Text) {
    shown = model.Text;
    box->setPlainText(FromModel(shown));
  }
}

void ShowLine(QLineEdit* box, const TextBox& model) {
  const QString text = QString::fromStdString(model.Text);
  if (box->text() != text) {
    const QSignalBlocker blocker(box);  // the form's own text, not a change to copy back
    box->setText(text);
  }
}

// Each edit is checked with the form before the box shows it, so that an edit
// the form refuses never shows. The box takes back an edit refused whole as one
// step of its undo history, which keeps every earlier step; a text the rule
// changes replaces the box's text, and with it the history, as a paste cut to
// the limit or a comma turned into a point does.
class FormRule : public QValidator {
 public:
  FormRule(const MainForm& form, std::int16_t index, QObject* parent)
      : QValidator(parent), form_(form), index_(index) {}

  State validate(QString& text, int& cursor) const override {
    const std::u16string shown = text.toStdU16String();
    const BoxEdit kept = Text1Kept(form_, index_, shown, cursor);
    if (kept.text != shown && kept.text == ToUtf16(form_.Text1[index_].Text)) return Invalid;
    text = QString::fromStdU16String(kept.text);
    cursor = static_cast<int>(kept.caret);
    return Acceptable;
  }

 private:
  const MainForm& form_;
  std::int16_t index_;
};

// A plain top-level widget tells screen readers it is a client area; the form
// is the program's window and says so.
QAccessibleInterface* AccessibleForm(const QString& className, QObject* object) {
  if (className != QLatin1String(MainWindow::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(qobject_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

MainWindow::MainWindow() {
  static const bool factoryInstalled = (QAccessible::installFactory(AccessibleForm), true);
  (void)factoryInstalled;
  CreateControls();
  PlaceControls();
  StyleControls();
  DescribeControls();
  ConnectControls();
  Redraw();
  boxes_[0]->setFocus();
}

// The widgets read the form for as long as they live: closing a shown window
// takes the focus from the input, whose check then asks the form. QWidget's own
// destructor would close it only after the form is gone, so the widgets go first.
MainWindow::~MainWindow() {
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void MainWindow::CreateControls() {
  // Labels first, so that every box, list and button lies above them.
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(QString::fromStdString(form_.Etiket[i].Caption), this);
    labels_[i]->setAlignment(Qt::AlignCenter);
  }
  for (const ControlLook& look : ControlsInTabOrder()) {
    if (look.kind != ControlKind::kTextBox) continue;
    if (look.locked) {
      boxes_.at(look.index) = LockedTextBox(this);
    } else {
      auto* line = new QLineEdit(this);
      line->setValidator(new FormRule(form_, look.index, line));
      DescribeInputForScreenReaders(line);
      boxes_.at(look.index) = line;
    }
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i] = new ListControl(this);
    NameSelectionOnFocus(lists_[i], form_, static_cast<std::int16_t>(i));
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new ButtonControl(QString::fromStdString(form_.Command1[i].Caption), this);
    buttons_[i]->setAutoDefault(false);
  }

  QWidget* previous = nullptr;
  for (const ControlLook& look : ControlsInTabOrder()) {
    if (look.kind == ControlKind::kLabel) continue;
    if (previous) setTabOrder(previous, WidgetFor(look));
    previous = WidgetFor(look);
  }
}

QWidget* MainWindow::WidgetFor(const ControlLook& look) const {
  switch (look.kind) {
    case ControlKind::kTextBox:
      return boxes_.at(look.index);
    case ControlKind::kLabel:
      return labels_.at(look.index);
    case ControlKind::kButton:
      return buttons_.at(look.index);
    case ControlKind::kList:
      return lists_.at(look.index);
  }
  return nullptr;
}

void MainWindow::PlaceControls() {
  const WindowLook& window = MainWindowLook();
  setFixedSize(window.width / kTwipsPerPixel, window.height / kTwipsPerPixel);
  for (const ControlLook& look : ControlsInTabOrder()) {
    WidgetFor(look)->setGeometry(look.left / kTwipsPerPixel, look.top / kTwipsPerPixel,
                                 look.width / kTwipsPerPixel, look.height / kTwipsPerPixel);
  }
}

void MainWindow::StyleControls() {
  setFont(TimesNewRoman(MainWindowLook().font));
  Paint(this, QPalette::Window, ToQColor(MainWindowLook().back));
  for (const ControlLook& look : ControlsInTabOrder()) {
    QWidget* widget = WidgetFor(look);
    widget->setFont(TimesNewRoman(look.font));
    if (look.back) Paint(widget, BackRole(look.kind), ToQColor(*look.back));
  }
}

void MainWindow::DescribeControls() {
  setWindowTitle(QString::fromUtf8(MainWindowLook().caption));
  QIcon icon(QStringLiteral(":/icons/kviltora-32.png"));
  icon.addFile(QStringLiteral(":/icons/kviltora-64.png"));  // crisp at a device pixel ratio of 2
  setWindowIcon(icon);
  for (const ControlLook& look : ControlsInTabOrder()) {
    QWidget* widget = WidgetFor(look);
    widget->setObjectName(QString::fromUtf8(look.name));
    if (look.tooltip) widget->setToolTip(QString::fromUtf8(look.tooltip));
    if (look.accessibleName) widget->setAccessibleName(QString::fromUtf8(look.accessibleName));
  }
  setObjectName(QStringLiteral("MainForm"));
}

void MainWindow::ConnectControls() {
  // Every change reaches the form, whoever makes it: typing, pasting, dropping,
  // undoing, an input method or a screen reader, which sets the text past the
  // box's own checks and even while it is disabled.
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    auto* line = qobject_cast<QLineEdit*>(boxes_[i]);
    if (!line) continue;
    connect(line, &QLineEdit::textChanged, this, [this, i, line](const QString& text) {
      const std::size_t caret = UserText1Change(form_, static_cast<std::int16_t>(i),
                                                text.toStdU16String(), line->cursorPosition());
      if (text.toStdString() == form_.Text1[i].Text) return;
      Redraw();
      line->setCursorPosition(static_cast<int>(caret));
    });
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    connect(buttons_[i], &QPushButton::clicked, this,
            [this, i] { Respond(UserCommand1Click(form_, static_cast<std::int16_t>(i))); });
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    connect(lists_[i], &ListControl::userChose, this, [this, i](int row) {
      Respond(
          UserDiapazonClick(form_, static_cast<std::int16_t>(i), static_cast<std::int16_t>(row)));
    });
  }
}

void MainWindow::Respond(const Said& said) {
  Redraw();
  Announce(this, said);
}

void MainWindow::Redraw() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const TextBox& box = form_.Text1[i];
    if (auto* line = qobject_cast<QLineEdit*>(boxes_[i])) {
      ShowLine(line, box);
    } else {
      ShowText(static_cast<QPlainTextEdit*>(boxes_[i]), box, shownTexts_[i]);
    }
    boxes_[i]->setEnabled(box.Enabled);
    // Every new name is told to screen readers, an unchanged one too.
    const auto name =
        QString::fromStdString(Text1AccessibleName(form_, static_cast<std::int16_t>(i)));
    if (boxes_[i]->accessibleName() != name) boxes_[i]->setAccessibleName(name);
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) lists_[i]->Show(form_.Diapazon[i]);
}

}  // namespace kviltora
