#pragma once

#include <QPushButton>

namespace kviltora {

// A push button as the program's users know it from their desktops: its face
// flat in its own Button colour, and pressed by Enter and Return as by Space.
// To Qt and to screen readers it is a plain QPushButton.
class ButtonControl : public QPushButton {
 public:
  ButtonControl(const QString& caption, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kviltora
