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
#include "input_limit.h"
#include "list_control.h"
#include "procedures.h"
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
  box->setEnabled(model.Enabled);
}

void ShowList(ListControl* list, const ListBox& model) {
  const QSignalBlocker blocker(list);
  bool same = list->count() == model.ListCount();
  for (std::int16_t i = 0; same && i < model.ListCount(); ++i) {
    same = list->item(i)->text() == QString::fromStdString(model.List(i));
  }
  if (!same) {
    list->clear();
    for (std::int16_t i = 0; i < model.ListCount(); ++i) {
      list->addItem(QString::fromStdString(model.List(i)));
    }
  }
  if (model.ListIndex() < 0) {
    list->clearSelection();
  } else if (list->currentRow() != model.ListIndex() ||
             !list->item(model.ListIndex())->isSelected()) {
    list->setCurrentRow(model.ListIndex());
  }
}

// What the box may keep of a text, by the same rule the form has for every shell.
QString Fit(const QString& text) {
  return QString::fromStdU16String(FitInput(text.toStdU16String()));
}

// The box's own limit counts UTF-16 units, so it can cut a character beyond
// U+FFFF in half; the half is dropped and the cursor stays where it was.
class WholeCharacters : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& text, int& cursor) const override {
    const QString kept = Fit(text);
    cursor = std::min(Fit(text.left(cursor)).size(), kept.size());
    text = kept;
    return Acceptable;
  }
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
  DescribeInputForScreenReaders(input_);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    NameSelectionOnFocus(lists_[i], form_, static_cast<std::int16_t>(i));
  }
  Redraw();
  description_->setFocus();
}

void MainWindow::CreateControls() {
  // Labels first, so that every box, list and button lies above them.
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(QString::fromStdString(form_.Etiket[i].Caption), this);
    labels_[i]->setAlignment(Qt::AlignCenter);
  }
  description_ = LockedTextBox(this);
  input_ = new QLineEdit(this);
  input_->setMaxLength(kInputMaxUnits);
  input_->setValidator(new WholeCharacters(input_));
  output_ = LockedTextBox(this);
  for (auto& list : lists_) list = new ListControl(this);
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
      return std::array<QWidget*, 3>{description_, input_, output_}.at(look.index);
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
  setFont(TimesNewRoman(FontLook{12, false}));
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
  // undoing, an input method or a screen reader.
  connect(input_, &QLineEdit::textChanged, this, &MainWindow::TakeInput);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    connect(buttons_[i], &QPushButton::clicked, this,
            [this, i] { RaiseCommandClick(static_cast<std::int16_t>(i)); });
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    connect(lists_[i], &ListControl::userSelected, this,
            [this, i](int row) { RaiseListClick(static_cast<std::int16_t>(i), row); });
  }
}

// A screen reader sets the text directly, past the validator and even while the
// box is locked; the form keeps only what typing could have left, and the box
// shows what the form holds.
void MainWindow::TakeInput(const QString& text) {
  const QString kept = Fit(text);
  if (form_.Text1[1].Enabled) form_.Text1[1].Text = kept.toStdString();
  if (kept != text || !form_.Text1[1].Enabled) Redraw();
}

void MainWindow::RaiseCommandClick(std::int16_t index) {
  OnCommand1Click(form_, index);
  Redraw();
  Announce(this, AfterCommand1Click(form_, index));
}

void MainWindow::RaiseListClick(std::int16_t index, int row) {
  if (row >= 0) {
    form_.Diapazon[index].Select(static_cast<std::int16_t>(row));
    OnDiapazonClick(form_, index);
  }
  Redraw();
  Announce(this, AfterDiapazonClick(form_, index));
}

void MainWindow::Redraw() {
  ShowText(description_, form_.Text1[0], shownTexts_[0]);
  ShowText(output_, form_.Text1[2], shownTexts_[2]);
  const QString input = QString::fromStdString(form_.Text1[1].Text);
  if (input_->text() != input) {
    const QSignalBlocker blocker(input_);  // the form's own text, not a change to copy back
    input_->setText(input);
  }
  input_->setEnabled(form_.Text1[1].Enabled);
  for (std::size_t i = 0; i < lists_.size(); ++i) ShowList(lists_[i], form_.Diapazon[i]);
}

}  // namespace kviltora
