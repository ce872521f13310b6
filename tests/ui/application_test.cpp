#include "application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "main_window.h"
#include "random.h"

namespace kviltora {
namespace {

TEST(ProgramWindow, TakesTheFusionLookAndSeedsTheGeneratorBeforeItIsShown) {
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  SeedRandom(1);
  const float fromFixedSeed = NextRandom();
  SeedRandom(1);
  const auto window = CreateProgramWindow();
  EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
  // Seeded from the clock, the sequence leaves the fixed seed's at once.
  EXPECT_NE(NextRandom(), fromFixedSeed);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(572, 381)) << "the start-up baseline has this size too";
}

}  // namespace
}  // namespace kviltora
