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
  std::string text;  // the name; a notification's description follows after " | "
};

std::vector<Heard> heard;

void Record(QAccessibleEvent* event) {
  QAccessibleInterface* iface = event->accessibleInterface();
  QString text = iface->text(QAccessible::Name);
  if (iface->role() == QAccessible::Notification &&
      !iface->text(QAccessible::Description).isEmpty()) {
    text += " | " + iface->text(QAccessible::Description);
  }
  heard.push_back(
      {event->type(), event->object(), event->child(), iface->role(), text.toStdString()});
}

// As though a screen reader had started: the offscreen platform has none.
class ScreenReader : public ::testing::Test {
 protected:
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

  void Focus(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
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
    return shown.back().text;
  }

  WindowDriver ui;
};

TEST_F(ScreenReader, ReadsTheInputAsOneRunOnceOnFocusAndLockedAfterCalculating) {
  int start = -1, end = -1;
  QAccessible::queryAccessibleInterface(ui.input())->textInterface()->attributes(2, &start, &end);
  EXPECT_EQ(std::pair(start, end), std::pair(0, 4));

  Focus(ui.control("Diapazon(0)"));
  heard.clear();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(Of(QAccessible::Focus).size(), 1u);
  EXPECT_EQ(Of(QAccessible::Focus).front().object, ui.input());
  EXPECT_TRUE(Of(QAccessible::TextSelectionChanged).empty());
  EXPECT_EQ(ui.input()->selectedText(), "0.45");  // selected as ever, only not said twice

  ui.input()->selectAll();
  ui.type(ui.input(), "0.3");
  ui.chooseItem(1, "12");
  Focus(ui.control("Command1(0)"));
  heard.clear();
  QTest::keyClick(ui.control("Command1(0)"), Qt::Key_Space);
  EXPECT_EQ(Announced(), "0.01001100110. След обратно преобразуване числото е: 0.29980468750");
  EXPECT_TRUE(Of(QAccessible::Focus).empty());
  ASSERT_FALSE(Of(QAccessible::NameChanged).empty());
  EXPECT_EQ(Of(QAccessible::NameChanged).back().object, ui.input());
  EXPECT_EQ(Of(QAccessible::NameChanged).back().text, "Дроб, недостъпно");
}

TEST_F(ScreenReader, NamesTheSelectedItemWhenAListTakesTheFocusOrSaysThereIsNone) {
  ui.chooseItem(1, "12");
  Focus(ui.control("Text1(0)"));
  heard.clear();
  Focus(ui.list(1));
  ASSERT_FALSE(Of(QAccessible::Focus).empty());
  const Heard last = Of(QAccessible::Focus).back();
  EXPECT_EQ(std::tuple(last.object, last.child, last.text), std::tuple(ui.list(1), 7, "12"));
  EXPECT_EQ(ui.window().form().Diapazon[1].ListIndex(), 7);

  Focus(ui.list(0));
  EXPECT_EQ(Announced(), "Нищо не е избрано.");
}

TEST_F(ScreenReader, HearsTheProposedFractionAndTheClearing) {
  ui.chooseItem(0, "10");
  EXPECT_EQ(Announced(), "Нова дроб: " + ui.input()->text().toStdString());
  ui.press(1);
  EXPECT_EQ(Announced(), "Всичко е изчистено.");
}

}  // namespace
}  // namespace kviltora
