#include "configurator/ui/link_label.h"

#include <QMouseEvent>

namespace tevral::ui {
namespace {
const QColor kLinkColour(0, 0, 205);
const QColor kHoverColour(220, 20, 60);
}  // namespace

LinkLabel::LinkLabel(const QString& shown_text, const QUrl& address,
                     std::function<void(const QUrl&)> open, QWidget* parent)
    : QLabel(shown_text, parent), address_(address), open_(std::move(open)) {
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  Colour(false);
}

void LinkLabel::Colour(bool hovered) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, hovered ? kHoverColour : kLinkColour);
  setPalette(palette);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  Colour(true);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  Colour(false);
  QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && open_) open_(address_);
  QLabel::mousePressEvent(event);
}

}  // namespace tevral::ui
