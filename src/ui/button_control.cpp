#include "button_control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace kviltora {
namespace {

// The application's look, except that a button's panel is its Button colour
// edge to edge instead of a lighter gradient. A square raised edge, sunken
// while the button is held down, an outline in the highlight colour under the
// pointer, and a dotted mark when the keyboard brought the focus here.
class FlatFaceStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelButtonCommand) {
      DrawPanel(*option, *painter);
    } else if (element != PE_FrameFocusRect) {  // the panel draws its own focus mark
      QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
  }

 private:
  static void DrawPanel(const QStyleOption& option, QPainter& painter) {
    const QColor face = option.palette.color(QPalette::Button);
    const bool down = option.state & (State_Sunken | State_On);
    const bool hovered = (option.state & State_MouseOver) && (option.state & State_Enabled);
    const QColor light = face.lighter(150);
    const QColor shade = face.darker(170);
    const QRect edge = option.rect.adjusted(1, 1, -1, -1);
    painter.fillRect(option.rect,
                     hovered ? option.palette.color(QPalette::Highlight) : face.darker(300));
    painter.fillRect(edge, down ? shade : light);                      // top and left
    painter.fillRect(edge.adjusted(1, 1, 0, 0), down ? face : shade);  // bottom and right
    painter.fillRect(edge.adjusted(1, 1, -1, -1), face);
    if ((option.state & State_HasFocus) && (option.state & State_KeyboardFocusChange)) {
      painter.setPen(QPen(option.palette.color(QPalette::ButtonText), 1, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(edge.adjusted(2, 2, -3, -3));
    }
  }
};

// One for every button, over the application's own style; it lives as long as the application.
QStyle* FlatFace() {
  static QStyle* const style = [] {
    auto* flat = new FlatFaceStyle(QStyleFactory::create(QApplication::style()->name()));
    flat->setParent(qApp);
    return flat;
  }();
  return style;
}

}  // namespace

ButtonControl::ButtonControl(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
  setStyle(FlatFace());
}

// Held down, Enter presses the button once, as Space does.
void ButtonControl::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QPushButton::keyPressEvent(event);
  } else if (!event->isAutoRepeat()) {
    click();
  }
}

}  // namespace kviltora
