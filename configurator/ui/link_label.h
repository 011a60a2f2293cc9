#pragma once
// A web or mail link of the about window: drawn in the link colour, which
// changes while the mouse is over it; pressing the mouse button on it asks
// the desktop to open its address.

#include <QLabel>
#include <QUrl>
#include <functional>

namespace tevral::ui {

class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& shown_text, const QUrl& address, std::function<void(const QUrl&)> open,
            QWidget* parent);

  const QUrl& Address() const { return address_; }

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Colour(bool hovered);

  QUrl address_;
  std::function<void(const QUrl&)> open_;
};

}  // namespace tevral::ui
