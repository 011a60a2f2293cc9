#pragma once
// Window layouts are given in pixels at 96 dots per inch; on a screen set
// to more, every place and size grows with the fonts so nothing is clipped.

#include <QRect>

class QWidget;

namespace tevral::ui {

// Logical dots per inch of the widget's screen over 96, never below 1.
double DpiScale(const QWidget* widget);

QRect Scaled(const QRect& rect, double scale);
QSize Scaled(const QSize& size, double scale);
int Scaled(int pixels, double scale);

}  // namespace tevral::ui
