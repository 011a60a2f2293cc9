#pragma once
// The flat command button of the windows: an image with its caption under
// it, a hand pointer and a hint. It takes no keyboard focus, so Tab moves
// between the fields only.

#include <QToolButton>

namespace tevral::ui {

class ImageButton : public QToolButton {
  Q_OBJECT
 public:
  // An empty caption shows the image alone.
  ImageButton(const QString& object_name, const QString& icon_path, int icon_size,
              const QString& caption, const QString& hint, QWidget* parent);
};

}  // namespace tevral::ui
