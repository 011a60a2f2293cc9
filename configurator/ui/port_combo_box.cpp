#include "configurator/ui/port_combo_box.h"

#include <QAbstractItemView>
#include <QStylePainter>

namespace tevral::ui {

PortComboBox::PortComboBox(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

QString PortComboBox::ShortName(const QString& port) {
  static const QString kDevicePrefix = QStringLiteral("/dev/");
  return port.startsWith(kDevicePrefix) ? port.mid(kDevicePrefix.size()) : port;
}

void PortComboBox::showPopup() {
  int widest = width();
  for (int i = 0; i < count(); ++i) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)) + 24);
  }
  view()->setMinimumWidth(widest);
  QComboBox::showPopup();
}

void PortComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText = ShortName(option.currentText);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace tevral::ui
