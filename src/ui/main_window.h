#pragma once

#include <QWidget>
#include <array>

#include "form_model.h"
#include "user_actions.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kviltora {

class ListControl;
struct ControlLook;

// Draws the form and turns the user's actions into the core's entry points;
// after each, it redraws the widgets from the form and says what the core
// gives it to say.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;

  MainForm& form() { return form_; }
  void Redraw();

 private:
  void CreateControls();
  void PlaceControls();
  void StyleControls();
  void ConnectControls();
  void DescribeControls();
  QWidget* WidgetFor(const ControlLook& look) const;
  void Respond(const Said& said);

  MainForm form_;
  std::array<QWidget*, 3> boxes_{};  // a line edit where the user types, else a locked box
  std::array<ListControl*, 3> lists_{};
  std::array<QPushButton*, 2> buttons_{};
  std::array<QLabel*, 5> labels_{};
  std::array<std::string, 3> shownTexts_;
};

}  // namespace kviltora
