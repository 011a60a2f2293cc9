#include "configurator/ui/image_button.h"

#include <QIcon>
#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tevral::ui {

ImageButton::ImageButton(const QString& object_name, const QString& icon_path, int icon_size,
                         const QString& caption, const QString& hint, QWidget* parent)
    : QToolButton(parent) {
  setObjectName(object_name);
  setIcon(QIcon(icon_path));
  setIconSize(QSize(icon_size, icon_size));
  setText(caption);
  setToolTip(hint);
  setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
  setAutoRaise(true);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void ImageButton::ReachableByKeyboard() {
  setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
  // A tool button fires on Space only; a command button that has the focus
  // is expected to fire on Enter as well.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && hasFocus() && !event->isAutoRepeat()) {
    event->accept();
    click();
    return;
  }
  QToolButton::keyPressEvent(event);
}

void ImageButton::paintEvent(QPaintEvent* event) {
  QToolButton::paintEvent(event);
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  focus.rect = rect().adjusted(2, 2, -2, -2);
  focus.backgroundColor = palette().color(QPalette::Window);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

}  // namespace tevral::ui
