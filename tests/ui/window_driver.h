#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "main_window.h"

namespace kviltora::testing_support {

// Drives the window as a user would: through its widgets, found by the
// control names they carry.
class WindowDriver {
 public:
  WindowDriver() {
    window_.show();
    window_.activateWindow();
    (void)QTest::qWaitForWindowActive(&window_);
  }

  MainWindow& window() { return window_; }
  template <typename W = QWidget>
  W* control(const char* name) {
    return window_.findChild<W*>(QString::fromUtf8(name));
  }
  QPlainTextEdit* output() { return control<QPlainTextEdit>("Text1(2)"); }
  QLineEdit* input() { return control<QLineEdit>("Text1(1)"); }
  QListWidget* list(int i) {
    return control<QListWidget>(QStringLiteral("Diapazon(%1)").arg(i).toUtf8().constData());
  }

  void press(int button) {
    QTest::mouseClick(control(QStringLiteral("Command1(%1)").arg(button).toUtf8().constData()),
                      Qt::LeftButton);
  }
  void chooseItem(int listIndex, const QString& text) {
    QListWidget* l = list(listIndex);
    QListWidgetItem* item = l->findItems(text, Qt::MatchExactly).value(0);
    l->scrollToItem(item);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
  }
  void type(QWidget* widget, const QString& text) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, {});
  }
  QStringList items(int listIndex) {
    QStringList texts;
    for (int i = 0; i < list(listIndex)->count(); ++i) texts << list(listIndex)->item(i)->text();
    return texts;
  }
  QStringList outputLines() { return output()->toPlainText().split('\n'); }

 private:
  MainWindow window_;
};

}  // namespace kviltora::testing_support
