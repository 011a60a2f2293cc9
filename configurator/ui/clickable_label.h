#pragma once
// A plain label that reacts to a click (the "Порт:" label opens the device
// manager).

#include <QLabel>

namespace tevral::ui {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tevral::ui
