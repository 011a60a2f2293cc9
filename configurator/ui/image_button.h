#pragma once
// The flat command button of the windows: an image with its caption under
// it, a hand pointer and a hint. By default it takes no keyboard focus;
// the command buttons are made reachable with Tab (ReachableByKeyboard),
// and then Space or Enter fires them.

#include <QToolButton>

namespace tevral::ui {

class ImageButton : public QToolButton {
  Q_OBJECT
 public:
  // An empty caption shows the image alone.
  ImageButton(const QString& object_name, const QString& icon_path, int icon_size,
              const QString& caption, const QString& hint, QWidget* parent);

  // Takes the focus with Tab; Space (as every button) and Enter fire it.
  void ReachableByKeyboard();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The flat button draws no focus of its own: a keyboard user must still
  // see which button Space or Enter will fire.
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tevral::ui
