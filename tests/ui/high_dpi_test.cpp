#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include "button_face.h"
#include "placements.h"
#include "window_driver.h"

namespace kviltora {
namespace {

using testing_support::kPlacements;
using testing_support::Placement;
using testing_support::WindowDriver;

constexpr qreal kRatio = 2.0;

// The bounding box of the pixels in `area` that are clearly darker than the
// label's orange: the ink of its caption.
QRect Ink(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

TEST(HighDpi, TheScreenHasADevicePixelRatioOfTwo) {
  WindowDriver ui;
  EXPECT_DOUBLE_EQ(ui.window().devicePixelRatioF(), kRatio);
  EXPECT_DOUBLE_EQ(ui.window().windowHandle()->devicePixelRatio(), kRatio);
}

TEST(HighDpi, TheWindowIsTwiceAsLargeInDevicePixels) {
  WindowDriver ui;
  EXPECT_EQ(ui.window().size(), QSize(572, 381));
  const QPixmap shot = ui.window().grab();
  EXPECT_EQ(shot.size(), QSize(1144, 762));
  EXPECT_DOUBLE_EQ(shot.devicePixelRatio(), kRatio);
  EXPECT_EQ(shot.deviceIndependentSize(), QSizeF(572, 381));
}

TEST(HighDpi, EveryControlKeepsItsPlaceInLogicalPixels) {
  WindowDriver ui;
  const QImage shot = ui.window().grab().toImage();
  for (const Placement& p : kPlacements) {
    QWidget* widget = ui.control(p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.pixels) << p.name;
    EXPECT_DOUBLE_EQ(widget->devicePixelRatioF(), kRatio) << p.name;
    EXPECT_EQ(widget->grab().size(), p.pixels.size() * 2) << p.name;
    // Where the control shows, its colour fills both device pixels of each logical one.
    if (!p.background.isValid() || p.role != QPalette::Window) continue;
    const QRect inner = p.pixels.adjusted(1, 1, -1, -1);
    for (QPoint corner :
         {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()}) {
      if (ui.window().childAt(corner) != widget) continue;  // beneath another control
      for (QPoint device : {corner * 2, corner * 2 + QPoint(1, 1)}) {
        EXPECT_EQ(shot.pixelColor(device), p.background) << p.name;
      }
    }
  }
}

TEST(HighDpi, FontsKeepTheirPointSizeAndDoubleInDevicePixels) {
  WindowDriver ui;
  for (const Placement& p : kPlacements) {
    QWidget* widget = ui.control(p.name);
    const QFontInfo info(widget->font());
    // 96 logical dots per inch: 12 pt is 16 logical pixels, 32 device pixels.
    const int logicalPixels = qRound(widget->font().pointSizeF() * 96 / 72);
    EXPECT_EQ(widget->logicalDpiY(), 96) << p.name;
    EXPECT_EQ(info.pixelSize(), logicalPixels) << p.name;
    EXPECT_EQ(info.pixelSize() * widget->devicePixelRatio(), 2 * logicalPixels) << p.name;
  }
}

// Each label's caption drawn at ratio 1 and at ratio 2: the ink is twice as
// large at 2, lies where it lay at 1, and stays inside the label.
TEST(HighDpi, CaptionsAreDrawnTwiceAsLargeAndNothingIsClipped) {
  WindowDriver ui;
  for (int i = 0; i < 5; ++i) {
    auto* label = ui.control<QLabel>(QStringLiteral("Etiket(%1)").arg(i).toUtf8());
    const QImage twice = label->grab().toImage();
    ASSERT_EQ(twice.size(), label->size() * 2) << i;
    QImage once(label->size(), QImage::Format_ARGB32);
    once.setDevicePixelRatio(1);
    label->render(&once);
    const QRect inkOnce = Ink(once, once.rect());
    const QRect inkTwice = Ink(twice, twice.rect());
    ASSERT_FALSE(inkOnce.isEmpty()) << i;
    ASSERT_FALSE(inkTwice.isEmpty()) << i;
    // Glyphs are hinted to whole pixels at each size: allow a few device pixels.
    EXPECT_NEAR(inkTwice.width(), 2 * inkOnce.width(), 2 + inkOnce.width() / 10) << i;
    EXPECT_NEAR(inkTwice.height(), 2 * inkOnce.height(), 3) << i;
    EXPECT_NEAR(inkTwice.center().x(), 2 * inkOnce.center().x(), 3) << i;
    EXPECT_NEAR(inkTwice.center().y(), 2 * inkOnce.center().y(), 3) << i;
    EXPECT_TRUE(twice.rect().adjusted(2, 2, -2, -2).contains(inkTwice)) << i;
  }
}

TEST(HighDpi, CaptionsStillFit) {
  WindowDriver ui;
  for (const Placement& p : kPlacements) {
    QWidget* widget = ui.control(p.name);
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) caption = button->text();
    if (caption.isEmpty()) continue;
    const QFontMetricsF metrics(widget->font(), widget);
    EXPECT_LE(metrics.horizontalAdvance(caption), widget->contentsRect().width() - 4) << p.name;
    EXPECT_LE(metrics.height(), widget->height()) << p.name;
  }
  QListWidget* ranges = ui.list(0);
  EXPECT_LE(QFontMetricsF(ranges->font(), ranges).horizontalAdvance("1000000"),
            ranges->viewport()->width());
}

TEST(HighDpi, ButtonFacesAreTheirBackColourWithTheirEdge) {
  WindowDriver ui;
  for (const Placement& p : kPlacements) {
    if (p.role != QPalette::Button) continue;
    const QImage shot = ui.control(p.name)->grab().toImage();
    ASSERT_EQ(shot.size(), p.pixels.size() * 2) << p.name;
    EXPECT_GE(testing_support::FaceShareInColour(shot, p.background), 0.8) << p.name;
    EXPECT_NE(shot.pixelColor(2, 2), p.background) << p.name;
  }
}

TEST(HighDpi, TheWindowIconHasADrawingForRatioTwo) {
  WindowDriver ui;
  const QPixmap icon = ui.window().windowIcon().pixmap(QSize(32, 32), kRatio);
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_DOUBLE_EQ(icon.devicePixelRatio(), kRatio);
  // The 64 px drawing itself, not the 32 px one stretched.
  const QImage expected =
      QImage(QStringLiteral(":/icons/kviltora-64.png")).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(icon.toImage().convertToFormat(QImage::Format_ARGB32), expected);
}

}  // namespace
}  // namespace kviltora
