#include "configurator/ui/dpi_scale.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tevral::ui {

double DpiScale(const QWidget* widget) {
  return std::max(1.0, widget->logicalDpiY() / 96.0);
}

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

QSize Scaled(const QSize& size, double scale) {
  return {Scaled(size.width(), scale), Scaled(size.height(), scale)};
}

QRect Scaled(const QRect& rect, double scale) {
  return {Scaled(rect.left(), scale), Scaled(rect.top(), scale), Scaled(rect.width(), scale),
          Scaled(rect.height(), scale)};
}

}  // namespace tevral::ui
