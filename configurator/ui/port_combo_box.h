#pragma once
// The port selector. Its items are the ports' full names (/dev/ttyUSB0 on
// Linux), which the serial port needs; the narrow closed box shows them
// without the "/dev/" every one of them shares, and the open list is as
// wide as its longest name.

#include <QComboBox>

namespace tevral::ui {

class PortComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit PortComboBox(QWidget* parent = nullptr);

  // The text the closed box shows for a port name.
  static QString ShortName(const QString& port);

  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tevral::ui
