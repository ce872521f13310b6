// Thousands of random user actions on the real window, each followed by a
// check that the widgets show the form and that the form's trace is whole.
//
//   KVILTORA_MONKEY_ACTIONS  how many actions (5000 by default; 100000 for a soak run)
//   KVILTORA_MONKEY_SEED     the seed of both the monkey and the program's generator
//
// A failure names the seed and the action index: the same seed with that many
// actions plus one replays it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <vector>

#include "random.h"
#include "trace_invariants.h"
#include "window_driver.h"

namespace kviltora {
namespace {

using testing_support::WindowDriver;

constexpr unsigned long kDefaultActions = 5000;
constexpr unsigned long kDefaultSeed = 20240517;
constexpr int kInputMaxLength = 9;

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  bool ok = false;
  const unsigned long value = qgetenv(name).toULong(&ok);
  return ok ? value : fallback;
}

QStringList CodePoints(const char* utf8) {
  QStringList characters;
  for (char32_t c : QString::fromUtf8(utf8).toUcs4()) characters << QString::fromUcs4(&c, 1);
  return characters;
}

// Mostly what a pupil types into a number box, plus what slips in: Cyrillic,
// other scripts' digits, a no-break space, a combining accent, characters
// outside the 16-bit range.
const QStringList kCharacters = CodePoints(
    "01234567890123456789..,,EeE--++  \t"
    "абвгдежзийклмнопрстуфхцчшщъьюяАБВЕЖЮЯ"
    "xyzXYZ!?%&*()/\\\"'„“«»\u00a0\u0301１٣😀𝟘");

const char* const kTokens[] = {
    "0.45",   "0.1",     "0.3",    "0.5",      "0.999999",  "3.75",       "-0.25",   "+0.5",
    "1E999",  "-2E308",  "1E-400", "1E-320",   "-0",        ".5",         "-",       ".",
    "0,45",   "1.2E-05", "\t0.5",  "  0.75",   "123456789", "0.12345678", "1.8E308", "inf",
    "nan",    "0x1p3",   "дроб",   "0.0001",   "9.9E307",   "1e1",        "0.7E-3",  "1E309",
    "-1e999", "2E+400",  " 1E999", "1.8e308x",
};

// Longer than the box takes: it keeps the first nine characters.
const char* const kLongTexts[] = {
    "0.333333333333333333",
    "Десетична дроб 0.45 с дълъг текст",
    "😀😀😀😀😀😀😀😀😀😀",
    "0.5\n0.25\n0.125",
    "\t\t 0.125 и още",
    "1000000000000000000000000000000000000000000000000000000000000000000000",
    "12345678😀9",
};

// Quoted, with tabs, line breaks and half characters written as \uXXXX, so
// that a message never hides how two texts differ.
std::string Shown(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    if (pair) {
      shown += text.mid(i++, 2);
    } else if (text[i].isPrint()) {
      shown += text[i];
    } else {
      shown += QStringLiteral("\\u%1").arg(text[i].unicode(), 4, 16, QChar('0'));
    }
  }
  return "\"" + shown.toStdString() + "\"";
}

void Wheel(QWidget* target, QPoint at, int delta) {
  QWheelEvent event(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

struct Key {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  const char* name;
};

const Key kInputKeys[] = {
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Backspace, {}, "Backspace"},
    {Qt::Key_Backspace, {}, "Backspace"},
    {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_Home, {}, "Home"},
    {Qt::Key_End, {}, "End"},
    {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
    {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
    {Qt::Key_Return, {}, "Return"},
};

const Key kListKeys[] = {
    {Qt::Key_Up, {}, "Up"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_Home, {}, "Home"},
    {Qt::Key_End, {}, "End"},
    {Qt::Key_PageUp, {}, "PageUp"},
    {Qt::Key_PageDown, {}, "PageDown"},
    {Qt::Key_Space, {}, "Space"},
    {Qt::Key_Space, Qt::ControlModifier, "Ctrl+Space"},
    {Qt::Key_Down, Qt::ShiftModifier, "Shift+Down"},
    {Qt::Key_Up, Qt::ControlModifier, "Ctrl+Up"},
};

const Key kLockedBoxKeys[] = {
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_Down, Qt::ShiftModifier, "Shift+Down"},
    {Qt::Key_End, Qt::ControlModifier, "Ctrl+End"},
    {Qt::Key_PageDown, {}, "PageDown"},
    {Qt::Key_PageUp, {}, "PageUp"},
    {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_Backspace, {}, "Backspace"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_5, {}, "5"},
};

struct Modifier {
  Qt::KeyboardModifiers flags;
  const char* name;
};

const Modifier kClickModifiers[] = {
    {Qt::NoModifier, ""},           {Qt::NoModifier, ""},          {Qt::NoModifier, ""},
    {Qt::ControlModifier, "Ctrl+"}, {Qt::ShiftModifier, "Shift+"},
};

// Chooses and performs one user action at a time; returns what it did.
class Monkey {
 public:
  explicit Monkey(std::uint32_t seed) : ui_(std::make_unique<WindowDriver>()), random_(seed) {}

  WindowDriver& ui() { return *ui_; }

  std::string Act() {
    static constexpr struct {
      int weight;
      std::string (Monkey::*act)();
    } kActions[] = {
        {165, &Monkey::TypeIntoInput},    {60, &Monkey::PasteIntoInput}, {95, &Monkey::EditInput},
        {145, &Monkey::ClickListRow},     {70, &Monkey::ClickListPoint}, {95, &Monkey::KeysInList},
        {145, &Monkey::ClickButton},      {60, &Monkey::SpaceOnButton},  {60, &Monkey::TabAround},
        {55, &Monkey::SelectInLockedBox}, {47, &Monkey::Scroll},         {3, &Monkey::Restart},
    };
    static const std::vector<int> kWeights = [] {
      std::vector<int> weights;
      for (const auto& action : kActions) weights.push_back(action.weight);
      return weights;
    }();
    std::discrete_distribution<std::size_t> choose(kWeights.begin(), kWeights.end());
    return (this->*kActions[choose(random_)].act)();
  }

 private:
  int Uniform(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
  bool OneIn(int n) { return Uniform(1, n) == 1; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Uniform(0, static_cast<int>(N) - 1)];
  }
  QString PickCharacter() {
    return kCharacters[Uniform(0, static_cast<int>(kCharacters.size()) - 1)];
  }
  QPoint PointIn(const QRect& rect) {
    return {Uniform(rect.left(), rect.right()), Uniform(rect.top(), rect.bottom())};
  }

  QString RandomText(int minLength, int maxLength) {
    QString text;
    for (int n = Uniform(minLength, maxLength); n > 0; --n) text += PickCharacter();
    return text;
  }
  QString RandomFraction() {
    QString text = Pick<const char*>({"", "", "-", "+", " "}) + QString("0.");
    for (int n = Uniform(1, 6); n > 0; --n) text += QChar('0' + Uniform(0, 9));
    return text;
  }
  QString TypedText() {
    switch (Uniform(0, 3)) {
      case 0:
        return QString::fromUtf8(Pick(kTokens));
      case 1:
        return RandomFraction();
      default:
        return RandomText(1, 12);
    }
  }

  void ClickInput() {
    QLineEdit* input = ui_->input();
    QTest::mouseClick(input, Qt::LeftButton, {}, PointIn(input->rect().adjusted(2, 2, -2, -2)));
  }
  void Press(QWidget* widget, const Key& key) { QTest::keyClick(widget, key.key, key.modifiers); }
  QWidget* Focused() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused : &ui_->window();
  }
  // As a user without a mouse would: Tab until the control has the focus.
  void TabTo(QWidget* target) {
    for (int press = 0; press < 9 && Focused() != target; ++press) {
      QTest::keyClick(Focused(), Qt::Key_Tab);
    }
  }

  // One key event per character: keyClicks cannot send Cyrillic. A tab moves
  // the focus away and ends what was typed.
  std::string TypeIntoInput() {
    const QString text = TypedText();
    ClickInput();
    for (const QString& c : CodePoints(text.toUtf8().constData())) {
      if (c == "\t") {
        QTest::keyClick(ui_->input(), Qt::Key_Tab);
        break;
      }
      QTest::sendKeyEvent(QTest::Click, ui_->input(), Qt::Key_unknown, c, {});
    }
    return "type " + Shown(text);
  }

  std::string PasteIntoInput() {
    const QString text = OneIn(2) ? QString::fromUtf8(Pick(kLongTexts)) : RandomText(10, 60);
    QApplication::clipboard()->setText(text);
    ClickInput();
    const bool replace = OneIn(2);
    if (replace) QTest::keyClick(ui_->input(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(ui_->input(), Qt::Key_V, Qt::ControlModifier);
    return std::string(replace ? "paste over all " : "paste ") + Shown(text);
  }

  std::string EditInput() {
    ClickInput();
    std::string done = "edit input:";
    for (int n = Uniform(1, 4); n > 0; --n) {
      const Key& key = Pick(kInputKeys);
      Press(ui_->input(), key);
      done += std::string(" ") + key.name;
    }
    return done;
  }

  void WheelUntilVisible(QListWidget* list, int row) {
    for (int turn = 0; turn < 40; ++turn) {
      const QRect item = list->visualItemRect(list->item(row));
      const QRect view = list->viewport()->rect();
      if (view.contains(item)) return;
      Wheel(list->viewport(), view.center(), item.top() < view.top() ? 120 : -120);
    }
  }

  std::string ClickListRow() {
    const int index = Uniform(0, 2);
    QListWidget* list = ui_->list(index);
    if (list->count() == 0) return ClickListPoint(index);
    const int row = Uniform(0, list->count() - 1);
    WheelUntilVisible(list, row);
    const Modifier& modifier = Pick(kClickModifiers);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifier.flags, at);
    return std::string(modifier.name) + "click Diapazon(" + std::to_string(index) + ") row " +
           std::to_string(row);
  }

  std::string ClickListPoint() { return ClickListPoint(Uniform(0, 2)); }
  // Anywhere in the list: on an item or on the empty space below the last one.
  std::string ClickListPoint(int index) {
    QWidget* viewport = ui_->list(index)->viewport();
    const QPoint from = PointIn(viewport->rect());
    const QPoint to = PointIn(viewport->rect());
    const std::string where = " at " + std::to_string(from.x()) + "," + std::to_string(from.y());
    const std::string list = "Diapazon(" + std::to_string(index) + ")";
    switch (Uniform(0, 3)) {
      case 0:
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, from);
        return "double-click " + list + where;
      case 1:
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        return "drag in " + list + where + " to " + std::to_string(to.x()) + "," +
               std::to_string(to.y());
      default: {
        const Modifier& modifier = Pick(kClickModifiers);
        QTest::mouseClick(viewport, Qt::LeftButton, modifier.flags, from);
        return std::string(modifier.name) + "click " + list + where;
      }
    }
  }

  std::string KeysInList() {
    const int index = Uniform(0, 2);
    TabTo(ui_->list(index));
    std::string done = "keys in Diapazon(" + std::to_string(index) + "):";
    for (int n = Uniform(1, 3); n > 0; --n) {
      const Key& key = Pick(kListKeys);
      Press(Focused(), key);
      done += std::string(" ") + key.name;
    }
    return done;
  }

  QWidget* Button(int index) {
    return ui_->control(QStringLiteral("Command1(%1)").arg(index).toUtf8().constData());
  }
  std::string ClickButton() {
    const int index = Uniform(0, 2) == 0 ? 1 : 0;  // Calculate more often than Clear
    const Modifier& modifier = Pick(kClickModifiers);
    QTest::mouseClick(Button(index), Qt::LeftButton, modifier.flags,
                      PointIn(Button(index)->rect()));
    return std::string(modifier.name) + "click Command1(" + std::to_string(index) + ")";
  }
  std::string SpaceOnButton() {
    const int index = Uniform(0, 1);
    TabTo(Button(index));
    const Key& key = OneIn(4) ? Key{Qt::Key_Return, {}, "Return"} : Key{Qt::Key_Space, {}, "Space"};
    Press(Focused(), key);
    return std::string(key.name) + " on Command1(" + std::to_string(index) + ")";
  }

  std::string TabAround() {
    std::string done = "focus:";
    for (int n = Uniform(1, 4); n > 0; --n) {
      const bool back = OneIn(3);
      QTest::keyClick(Focused(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                      back ? Qt::ShiftModifier : Qt::NoModifier);
      done += back ? " Shift+Tab" : " Tab";
    }
    return done;
  }

  QPlainTextEdit* LockedBox() {
    return OneIn(3) ? ui_->control<QPlainTextEdit>("Text1(0)") : ui_->output();
  }
  std::string SelectInLockedBox() {
    QPlainTextEdit* box = LockedBox();
    QWidget* viewport = box->viewport();
    const QPoint from = PointIn(viewport->rect());
    const std::string name = box->objectName().toStdString();
    if (OneIn(2)) {
      QTest::mousePress(viewport, Qt::LeftButton, {}, from);
      QTest::mouseMove(viewport, PointIn(viewport->rect()));
      QTest::mouseRelease(viewport, Qt::LeftButton, {}, PointIn(viewport->rect()));
      return "drag-select in " + name;
    }
    QTest::mouseClick(viewport, Qt::LeftButton, {}, from);
    const Key& key = Pick(kLockedBoxKeys);
    Press(box, key);
    return "click in " + name + ", " + key.name;
  }

  std::string Scroll() {
    QAbstractScrollArea* areas[] = {ui_->control<QPlainTextEdit>("Text1(0)"), ui_->output(),
                                    ui_->list(0), ui_->list(1), ui_->list(2)};
    QAbstractScrollArea* area = Pick(areas);
    const std::string name = area->objectName().toStdString();
    QScrollBar* bar = area->verticalScrollBar();
    if (bar->isVisible() && OneIn(3)) {
      QTest::mouseClick(bar, Qt::LeftButton, {}, PointIn(bar->rect()));
      return "click the scroll bar of " + name;
    }
    const int delta = Uniform(-3, 3) * 120;
    Wheel(area->viewport(), PointIn(area->viewport()->rect()), delta);
    return "wheel " + std::to_string(delta) + " over " + name;
  }

  // A fresh window is the one place where no digit count is chosen yet.
  std::string Restart() {
    ui_.reset();
    ui_ = std::make_unique<WindowDriver>();
    return "restart the program";
  }

  std::unique_ptr<WindowDriver> ui_;
  std::mt19937 random_;
};

std::string ListFault(QListWidget* list, const ListBox& model) {
  const std::string name = list->objectName().toStdString();
  if (list->count() != model.ListCount()) return name + " shows another number of items";
  for (std::int16_t i = 0; i < model.ListCount(); ++i) {
    if (list->item(i)->text().toStdString() != model.List(i)) {
      return name + " shows another item " + std::to_string(i);
    }
  }
  const QList<QListWidgetItem*> selected = list->selectedItems();
  const int row = selected.isEmpty() ? -1 : list->row(selected.front());
  if (row != model.ListIndex()) {
    return name + " selects row " + std::to_string(row) + ", the form " +
           std::to_string(model.ListIndex());
  }
  return "";
}

std::string InputFault(QLineEdit* input, const TextBox& model) {
  const QString shown = input->text();
  if (shown != QString::fromStdString(model.Text)) {
    return "the input shows " + Shown(shown) + ", the form holds " +
           Shown(QString::fromStdString(model.Text));
  }
  if (shown.size() > kInputMaxLength) {
    return "the input holds more than nine units: " + Shown(shown);
  }
  return input->isEnabled() == model.Enabled ? "" : "the input's lock differs from the form";
}

// Empty when every widget shows what the form holds and the form is whole.
std::string WindowFault(WindowDriver& ui, const QString& description) {
  const MainForm& form = ui.window().form();
  if (std::string fault = InputFault(ui.input(), form.Text1[1]); !fault.empty()) return fault;
  const QString output = QString::fromStdString(form.Text1[2].Text).replace("\r\n", "\n");
  if (ui.output()->toPlainText() != output) return "the output box differs from the form";
  if (ui.control<QPlainTextEdit>("Text1(0)")->toPlainText() != description ||
      form.Text1[0].Text != InitialDescription()) {
    return "the description changed";
  }
  for (int i = 0; i < 3; ++i) {
    const std::string fault = ListFault(ui.list(i), form.Diapazon[i]);
    if (!fault.empty()) return fault;
  }
  return testing_support::TraceFault(form);
}

// What the output box held after each action, so that a run that never
// reached a kind of output cannot pass for one that checked it.
struct Tally {
  unsigned long digits = 0, noDigits = 0, noCount = 0, tooLarge = 0, empty = 0;
  void Count(const MainForm& form) {
    namespace lines = testing_support::trace_lines;
    const std::string& text = form.Text1[2].Text;
    if (text.starts_with(lines::kHeading) && text != InitialSampleTrace()) {
      ++(form.Diapazon[2].ListCount() > 0 ? digits : noDigits);
    }
    if (text == lines::kChooseCount + "\r\n") ++noCount;
    if (text == lines::kTooLarge + "\r\n") ++tooLarge;
    if (text.empty()) ++empty;
  }
};

TEST(Monkey, RandomActionsKeepTheWindowAndTheFormInAgreement) {
  const auto seed = static_cast<std::uint32_t>(EnvNumber("KVILTORA_MONKEY_SEED", kDefaultSeed));
  const unsigned long actions = EnvNumber("KVILTORA_MONKEY_ACTIONS", kDefaultActions);
  SeedRandom(seed);
  QApplication::clipboard()->clear();  // a paste replays only from the same clipboard
  const QString description = QString::fromStdString(InitialDescription()).replace("\r\n", "\n");
  Monkey monkey(seed);
  std::deque<std::string> recent;
  Tally tally;
  for (unsigned long i = 0; i < actions; ++i) {
    recent.push_back(std::to_string(i) + ": " + monkey.Act());
    if (recent.size() > 12) recent.pop_front();
    QCoreApplication::processEvents();
    const std::string fault = WindowFault(monkey.ui(), description);
    if (!fault.empty()) {
      std::string log;
      for (const std::string& line : recent) log += "\n  " + line;
      FAIL() << fault << "\nseed " << seed << ", action " << i
             << "; replay with KVILTORA_MONKEY_SEED=" << seed
             << " KVILTORA_MONKEY_ACTIONS=" << i + 1 << "\nlast actions:" << log;
    }
    tally.Count(monkey.ui().window().form());
  }
  std::printf(
      "%lu actions survived, seed %u; the output held after them: a trace with digits %lu, "
      "without digits %lu, no-count refusal %lu, too-large refusal %lu, nothing %lu\n",
      actions, seed, tally.digits, tally.noDigits, tally.noCount, tally.tooLarge, tally.empty);
  if (actions >= kDefaultActions) {
    EXPECT_GT(tally.digits, 0u);
    EXPECT_GT(tally.noDigits, 0u);
    EXPECT_GT(tally.noCount, 0u);
    EXPECT_GT(tally.tooLarge, 0u);
    EXPECT_GT(tally.empty, 0u);
  }
}

}  // namespace
}  // namespace kviltora
