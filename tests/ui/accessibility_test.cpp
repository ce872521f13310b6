#include <gtest/gtest.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QApplication>

#include "window_driver.h"

namespace kviltora {
namespace {

using testing_support::WindowDriver;

// What a screen reader is told, as the window raises it.
struct Heard {
  QAccessible::Event type;
  QObject* object;
  int child;
  QAccessible::Role role;
  QString name;
  QString description;
};

std::vector<Heard> heard;

void Record(QAccessibleEvent* event) {
  QAccessibleInterface* iface = event->accessibleInterface();
  heard.push_back({event->type(), event->object(), event->child(), iface->role(),
                   iface->text(QAccessible::Name), iface->text(QAccessible::Description)});
}

class ScreenReader : public ::testing::Test {
 protected:
  // As though a screen reader had started: the offscreen platform has none.
  ScreenReader() {
    Platform()->setActive(true);
    QAccessible::installUpdateHandler(Record);
  }
  ~ScreenReader() override {
    QAccessible::installUpdateHandler(nullptr);
    Platform()->setActive(false);
  }
  static QPlatformAccessibility* Platform() {
    return QGuiApplicationPrivate::platformIntegration()->accessibility();
  }

  // Starts listening afresh, once the focus is where the step begins.
  void FocusThenListen(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    heard.clear();
  }
  std::vector<Heard> Of(QAccessible::Event type) {
    std::vector<Heard> found;
    for (const Heard& h : heard) {
      if (h.type == type) found.push_back(h);
    }
    return found;
  }
  std::string Announced() {
    const std::vector<Heard> shown = Of(QAccessible::ObjectShow);
    if (shown.empty() || shown.back().role != QAccessible::Notification) return "(nothing)";
    const Heard& last = shown.back();
    return (last.description.isEmpty() ? last.name : last.name + " | " + last.description)
        .toStdString();
  }
  void TypeFraction(const QString& text) {
    FocusThenListen(ui.input());
    ui.input()->selectAll();
    ui.type(ui.input(), text);
  }

  WindowDriver ui;
};

TEST_F(ScreenReader, ReadsTheInputAsOneRunAndOnceOnFocus) {
  int start = -1, end = -1;
  QAccessible::queryAccessibleInterface(ui.input())->textInterface()->attributes(2, &start, &end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 4);

  FocusThenListen(ui.control("Diapazon(0)"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(Of(QAccessible::Focus).size(), 1u);
  EXPECT_EQ(Of(QAccessible::Focus).front().object, ui.input());
  EXPECT_TRUE(Of(QAccessible::TextSelectionChanged).empty());
  EXPECT_EQ(ui.input()->selectedText(), "0.45");  // selected as ever, only not said twice
}

TEST_F(ScreenReader, NamesTheSelectedItemWhenAListTakesTheFocus) {
  ui.chooseItem(1, "12");
  FocusThenListen(ui.control("Text1(0)"));
  ui.list(1)->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  const std::vector<Heard> focus = Of(QAccessible::Focus);
  ASSERT_FALSE(focus.empty());
  EXPECT_EQ(focus.back().object, ui.list(1));
  EXPECT_EQ(focus.back().child, 7);
  EXPECT_EQ(focus.back().name.toStdString(), "12");
  EXPECT_EQ(ui.list(1)->currentRow(), 7);
  EXPECT_EQ(ui.window().form().Diapazon[1].ListIndex(), 7);

  FocusThenListen(ui.control("Text1(0)"));
  ui.list(0)->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  EXPECT_EQ(Announced(), "Нищо не е избрано.");
}

TEST_F(ScreenReader, HearsTheResultWhereTheFocusStaysAndTheInputLocked) {
  TypeFraction("0.3");
  ui.chooseItem(1, "12");
  FocusThenListen(ui.control("Command1(0)"));
  QTest::keyClick(ui.control("Command1(0)"), Qt::Key_Space);
  EXPECT_EQ(Announced(), "0.01001100110 | След обратно преобразуване числото е: 0.2998046875");
  EXPECT_TRUE(Of(QAccessible::Focus).empty());
  EXPECT_EQ(QApplication::focusWidget(), ui.control("Command1(0)"));
  ASSERT_FALSE(Of(QAccessible::NameChanged).empty());
  EXPECT_EQ(Of(QAccessible::NameChanged).back().object, ui.input());
  EXPECT_EQ(Of(QAccessible::NameChanged).back().name.toStdString(), "Дроб, недостъпно");
}

TEST_F(ScreenReader, HearsTheProposedFractionAndTheClearing) {
  ui.chooseItem(0, "10");
  EXPECT_EQ(Announced(), "Нова дроб: " + ui.input()->text().toStdString());
  FocusThenListen(ui.control("Command1(1)"));
  QTest::keyClick(ui.control("Command1(1)"), Qt::Key_Space);
  EXPECT_EQ(Announced(), "Всичко е изчистено.");
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(ui.input())->text(QAccessible::Name).toStdString(),
      "Дроб");
}

}  // namespace
}  // namespace kviltora
