#include "configurator/ui/image_button.h"

#include <QIcon>

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

}  // namespace tevral::ui
