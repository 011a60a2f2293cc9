#include "configurator/ui/clickable_label.h"

#include <QMouseEvent>

namespace tevral::ui {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace tevral::ui
