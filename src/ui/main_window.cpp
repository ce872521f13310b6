#include "main_window.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValidator>

#include "list_control.h"
#include "procedures.h"

namespace kviltora {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kInputMaxLength = 9;

QRect FromTwips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
          height / kTwipsPerPixel};
}

// Times New Roman is rarely installed on Linux; the metric-compatible serifs
// keep every caption the width it was laid out for.
QFont TimesNewRoman(qreal points, QFont::Weight weight) {
  QFont font;
  font.setFamilies({"Times New Roman", "Liberation Serif", "Tinos"});
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(points);
  font.setWeight(weight);
  return font;
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

// The input's limit counts UTF-16 units, so it can cut a character beyond
// U+FFFF in half; the half is dropped, or the box would show a broken glyph
// where the form holds "?".
class WholeCharacters : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& text, int& cursor) const override {
    for (int i = 0; i < text.size();) {
      const bool pair =
          text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
      if (pair) {
        i += 2;
      } else if (text[i].isSurrogate()) {
        text.remove(i, 1);
        if (i < cursor) --cursor;
      } else {
        ++i;
      }
    }
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
  input_->setMaxLength(kInputMaxLength);
  input_->setValidator(new WholeCharacters(input_));
  output_ = LockedTextBox(this);
  for (auto& list : lists_) list = new ListControl(this);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new QPushButton(QString::fromStdString(form_.Command1[i].Caption), this);
    buttons_[i]->setAutoDefault(false);
  }

  // Keyboard order; the labels never take the focus.
  const QWidget* order[] = {description_, buttons_[1], lists_[0],   input_,
                            output_,      lists_[1],   buttons_[0], lists_[2]};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
  }
}

void MainWindow::PlaceControls() {
  setFixedSize(8580 / kTwipsPerPixel, 5715 / kTwipsPerPixel);
  description_->setGeometry(FromTwips(240, 600, 7815, 1815));
  labels_[0]->setGeometry(FromTwips(1440, 120, 5415, 375));
  buttons_[1]->setGeometry(FromTwips(7200, 120, 1095, 375));
  lists_[0]->setGeometry(FromTwips(120, 4440, 1455, 1080));
  labels_[1]->setGeometry(FromTwips(1680, 2640, 1095, 375));
  labels_[2]->setGeometry(FromTwips(7560, 2880, 855, 375));
  input_->setGeometry(FromTwips(2760, 2640, 3135, 405));
  output_->setGeometry(FromTwips(1680, 3240, 5775, 2340));
  lists_[1]->setGeometry(FromTwips(120, 3120, 1335, 825));
  labels_[3]->setGeometry(FromTwips(120, 2760, 1335, 375));
  buttons_[0]->setGeometry(FromTwips(6120, 2640, 1095, 375));
  lists_[2]->setGeometry(FromTwips(7560, 3240, 855, 2340));
  labels_[4]->setGeometry(FromTwips(120, 4080, 1455, 375));
}

void MainWindow::StyleControls() {
  const QColor grey(224, 224, 224);
  const QColor orange(255, 192, 128);
  setFont(TimesNewRoman(12, QFont::Normal));
  Paint(this, QPalette::Window, QColor(128, 128, 255));
  Paint(description_, QPalette::Base, grey);
  for (QLabel* label : labels_) Paint(label, QPalette::Window, orange);
  labels_[0]->setFont(TimesNewRoman(12, QFont::Bold));
  for (QPushButton* button : buttons_) button->setFont(TimesNewRoman(12, QFont::Bold));
  Paint(buttons_[0], QPalette::Button, QColor(0, 255, 0));
  Paint(buttons_[1], QPalette::Button, QColor(255, 128, 128));
  for (ListControl* list : lists_) Paint(list, QPalette::Base, grey);
  lists_[0]->setFont(TimesNewRoman(11.25, QFont::Normal));
  lists_[1]->setFont(TimesNewRoman(11.25, QFont::Normal));
}

void MainWindow::DescribeControls() {
  setWindowTitle(
      QStringLiteral("www.kviltora.example Представяне на десетична дроб като двоично число"));
  QIcon icon(QStringLiteral(":/icons/kviltora-32.png"));
  icon.addFile(QStringLiteral(":/icons/kviltora-64.png"));  // crisp at a device pixel ratio of 2
  setWindowIcon(icon);
  const struct {
    QWidget* widget;
    const char* name;
    const char* tooltip;
    const char* accessibleName;
  } controls[] = {
      {description_, "Text1(0)", "Описание на алгоритъма", "Описание на алгоритъма"},
      {input_, "Text1(1)", "Десетична дроб с точка за разделител, например 0.45", "Дроб"},
      {output_, "Text1(2)", "Извежда резултата от преобразуване на числото", "Преобразуване"},
      {lists_[0], "Diapazon(0)", "Интервал на генерираното псевдослучайно естествено число",
       "10-ична дроб"},
      {lists_[1], "Diapazon(1)",
       "Брой цифри: двоичните цифри са най-много с една по-малко от избраното число", "Брой цифри"},
      {lists_[2], "Diapazon(2)", "Двоичните цифри в реда на получаването им", "Изход"},
      {buttons_[0], "Command1(0)", "Преобразува дробта в двоична и проверява резултата", "Изчисли"},
      {buttons_[1], "Command1(1)", "Инициализира - изтрива всички въведени данни", "Изчисти"},
  };
  for (const auto& control : controls) {
    control.widget->setObjectName(QString::fromUtf8(control.name));
    control.widget->setToolTip(QString::fromUtf8(control.tooltip));
    control.widget->setAccessibleName(QString::fromUtf8(control.accessibleName));
  }
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setObjectName(QStringLiteral("Etiket(%1)").arg(i));
  }
  setObjectName(QStringLiteral("MainForm"));
}

void MainWindow::ConnectControls() {
  connect(input_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.Text1[1].Text = text.toStdString(); });
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    connect(buttons_[i], &QPushButton::clicked, this,
            [this, i] { RaiseCommandClick(static_cast<std::int16_t>(i)); });
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    connect(lists_[i], &ListControl::userSelected, this,
            [this, i](int row) { RaiseListClick(static_cast<std::int16_t>(i), row); });
  }
}

void MainWindow::RaiseCommandClick(std::int16_t index) {
  OnCommand1Click(form_, index);
  Redraw();
}

void MainWindow::RaiseListClick(std::int16_t index, int row) {
  if (row >= 0) {
    form_.Diapazon[index].Select(static_cast<std::int16_t>(row));
    OnDiapazonClick(form_, index);
  }
  Redraw();
}

void MainWindow::Redraw() {
  ShowText(description_, form_.Text1[0], shownTexts_[0]);
  ShowText(output_, form_.Text1[2], shownTexts_[2]);
  const QString input = QString::fromStdString(form_.Text1[1].Text);
  if (input_->text() != input) input_->setText(input);
  input_->setEnabled(form_.Text1[1].Enabled);
  for (std::size_t i = 0; i < lists_.size(); ++i) ShowList(lists_[i], form_.Diapazon[i]);
}

}  // namespace kviltora
