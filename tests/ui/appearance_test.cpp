#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>

#include "button_face.h"
#include "placements.h"
#include "window_driver.h"

namespace kviltora {
namespace {

using testing_support::WindowDriver;

using testing_support::kPlacements;
using testing_support::Placement;

TEST(Appearance, EveryControlHasItsPlaceAndColour) {
  WindowDriver ui;
  EXPECT_EQ(ui.window().size(), QSize(572, 381));
  EXPECT_EQ(ui.window().minimumSize(), ui.window().maximumSize());
  EXPECT_EQ(ui.window().palette().color(QPalette::Window), QColor(128, 128, 255));
  for (const Placement& p : kPlacements) {
    QWidget* widget = ui.control(p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.pixels) << p.name;
    if (p.background.isValid()) {
      EXPECT_EQ(widget->palette().color(p.role), p.background) << p.name;
    }
  }
}

TEST(Appearance, LabelsLieBeneathTheControlsTheyTouch) {
  WindowDriver ui;
  for (const char* label : {"Etiket(1)", "Etiket(2)", "Etiket(3)", "Etiket(4)"}) {
    const QRect labelRect = ui.control(label)->geometry();
    for (const Placement& p : kPlacements) {
      const QRect overlap = labelRect.intersected(p.pixels);
      if (p.name == std::string(label) || overlap.isEmpty()) continue;
      EXPECT_NE(ui.window().childAt(overlap.center()), ui.control(label)) << label << p.name;
    }
  }
}

TEST(Appearance, FontsResolveToMetricCompatibleSerifsAndCaptionsFit) {
  WindowDriver ui;
  const QStringList serifs{"Times New Roman", "Liberation Serif", "Tinos"};
  for (const Placement& p : kPlacements) {
    QWidget* widget = ui.control(p.name);
    EXPECT_TRUE(serifs.contains(QFontInfo(widget->font()).family())) << p.name;
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) caption = button->text();
    if (caption.isEmpty()) continue;
    EXPECT_LE(widget->fontMetrics().horizontalAdvance(caption), widget->contentsRect().width() - 4)
        << p.name;
    EXPECT_LE(widget->fontMetrics().height(), widget->height()) << p.name;
  }
  QListWidget* ranges = ui.list(0);
  EXPECT_LE(ranges->fontMetrics().horizontalAdvance("1000000"), ranges->viewport()->width());
}

TEST(Appearance, EveryControlAsksForTimesNewRomanAtItsSizeAndWeight) {
  WindowDriver ui;
  for (const Placement& p : kPlacements) {
    const QFont font = ui.control(p.name)->font();
    EXPECT_EQ(font.families().value(0), "Times New Roman") << p.name;
    EXPECT_DOUBLE_EQ(font.pointSizeF(), p.font.points) << p.name;
    EXPECT_EQ(font.weight(), p.font.weight) << p.name;
  }
}

TEST(Appearance, CaptionsAndTitleReadExactly) {
  WindowDriver ui;
  const struct {
    const char* name;
    const char* caption;
  } expected[] = {
      {"Command1(0)", "Изчисли"},    {"Command1(1)", "Изчисти"}, {"Etiket(0)", "Квилтора"},
      {"Etiket(1)", "Дроб:"},        {"Etiket(2)", "Изход"},     {"Etiket(3)", "Брой цифри"},
      {"Etiket(4)", "10-ична дроб"},
  };
  for (const auto& e : expected) {
    QWidget* widget = ui.control(e.name);
    const auto* label = qobject_cast<QLabel*>(widget);
    const QString shown = label ? label->text() : qobject_cast<QPushButton*>(widget)->text();
    EXPECT_EQ(shown, QString::fromUtf8(e.caption)) << e.name;
  }
  EXPECT_EQ(ui.window().windowTitle(),
            "www.kviltora.example Представяне на десетична дроб като двоично число");
}

// Each button's face is its own colour, flat; an edge, a pressed look and a
// keyboard focus mark still show around it. The edge inside the outline: light
// at the top and left and shaded at the bottom and right while the button is
// up; held down, shaded at the top and left and flat at the bottom and right.
TEST(Appearance, ButtonFacesAreTheirBackColourAndStillLookLikeButtons) {
  WindowDriver ui;
  const struct {
    const char* name;
    QColor face, light, shade;
  } buttons[] = {
      {"Command1(0)", {0, 255, 0}, {127, 255, 127}, {0, 150, 0}},
      {"Command1(1)", {255, 128, 128}, {255, 255, 255}, {150, 75, 75}},
  };
  for (const auto& b : buttons) {
    auto* button = ui.control<QPushButton>(b.name);
    const QImage up = button->grab().toImage();
    const QPoint bottomRight(up.width() - 2, up.height() - 2);
    EXPECT_GE(testing_support::FaceShareInColour(up, b.face), 0.8) << b.name;
    EXPECT_EQ(up.pixelColor(1, 1), b.light) << b.name;
    EXPECT_EQ(up.pixelColor(bottomRight), b.shade) << b.name;
    button->setDown(true);
    const QImage down = button->grab().toImage();
    button->setDown(false);
    EXPECT_EQ(down.pixelColor(1, 1), b.shade) << b.name;
    EXPECT_EQ(down.pixelColor(bottomRight), b.face) << b.name;
    EXPECT_GE(testing_support::FaceShareInColour(down, b.face), 0.8) << b.name;
  }
  const QImage unfocused = ui.control("Command1(1)")->grab().toImage();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), ui.control("Command1(1)"));
  EXPECT_NE(ui.control("Command1(1)")->grab().toImage(), unfocused);
}

TEST(Appearance, TooltipsAndAccessibleNamesDescribeEveryControl) {
  WindowDriver ui;
  const struct {
    const char* name;
    const char* accessibleName;
    const char* tooltip;  // nullptr: any helpful text
  } expected[] = {
      {"Text1(0)", "Описание на алгоритъма", "Описание на алгоритъма"},
      {"Text1(1)", "Дроб", nullptr},
      {"Text1(2)", "Преобразуване", "Извежда резултата от преобразуване на числото"},
      {"Diapazon(0)", "10-ична дроб", "Интервал на генерираното псевдослучайно естествено число"},
      {"Diapazon(1)", "Брой цифри", nullptr},
      {"Diapazon(2)", "Изход", nullptr},
      {"Command1(0)", "Изчисли", nullptr},
      {"Command1(1)", "Изчисти", "Инициализира - изтрива всички въведени данни"},
  };
  for (const auto& e : expected) {
    QWidget* widget = ui.control(e.name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(accessible, nullptr) << e.name;
    EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(e.accessibleName));
    if (e.tooltip) {
      EXPECT_EQ(widget->toolTip(), QString::fromUtf8(e.tooltip));
    }
    EXPECT_FALSE(widget->toolTip().isEmpty()) << e.name;
  }
  EXPECT_TRUE(ui.input()->toolTip().contains("0.45"));
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(ui.control(QStringLiteral("Etiket(%1)").arg(i).toUtf8())->toolTip().isEmpty());
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&ui.window())->role(), QAccessible::Window);
  EXPECT_FALSE(ui.window().windowIcon().isNull());
}

}  // namespace
}  // namespace kviltora
