#pragma once

#include <QWidget>
#include <array>

#include "form_model.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kviltora {

class ListControl;
struct ControlLook;

// Draws the form and turns the user's actions into its events: each action
// updates the form, runs its handler, then redraws the widgets from the form.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  MainWindow();

  MainForm& form() { return form_; }
  void Redraw();

 private:
  void CreateControls();
  void PlaceControls();
  void StyleControls();
  void ConnectControls();
  void DescribeControls();
  QWidget* WidgetFor(const ControlLook& look) const;
  void TakeInput(const QString& text);
  void RaiseCommandClick(std::int16_t index);
  void RaiseListClick(std::int16_t index, int row);

  MainForm form_;
  QPlainTextEdit* description_ = nullptr;
  QLineEdit* input_ = nullptr;
  QPlainTextEdit* output_ = nullptr;
  std::array<ListControl*, 3> lists_{};
  std::array<QPushButton*, 2> buttons_{};
  std::array<QLabel*, 5> labels_{};
  std::array<std::string, 3> shownTexts_;
};

}  // namespace kviltora
