#include "configurator/ui/key_preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tevral::ui {

KeyPreview::KeyPreview(QWidget* window, std::function<void(const QKeyEvent&)> handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
  qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
  qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) handled_ = {};
  if (event->type() != QEvent::KeyPress || !window_) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_) return false;
  // A key goes first to the focused control and, when that control does not
  // want it, on to its parents; only that first delivery counts. With no
  // focused control the window itself is the first. A handler that showed a
  // message box may have moved the focus by the time the same key goes on
  // to the parents of the control that took it, and a control may pass it
  // on to itself again: until it is released, that is no new key.
  auto* key = static_cast<QKeyEvent*>(event);
  if (IsSameKeyGoingUp(*key, widget)) return false;
  QWidget* focus = window_->focusWidget();
  const bool first_delivery = focus != nullptr ? widget == focus : widget == window_;
  if (first_delivery) {
    handled_ = {key, key->key(), key->modifiers(), widget};
    handler_(*key);
  }
  return false;
}

bool KeyPreview::IsSameKeyGoingUp(const QKeyEvent& key, const QWidget* widget) const {
  return &key == handled_.event && key.key() == handled_.key &&
         key.modifiers() == handled_.modifiers && handled_.target != nullptr &&
         (widget == handled_.target || widget->isAncestorOf(handled_.target));
}

}  // namespace tevral::ui

namespace tevral::ui {

int LatinKey(const QKeyEvent& key) {
  if (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z) return key.key();
#if defined(Q_OS_WIN)
  // Windows virtual-key codes of letters do not depend on the layout.
  const quint32 virtual_key = key.nativeVirtualKey();
  if (virtual_key >= 'A' && virtual_key <= 'Z') return static_cast<int>(virtual_key);
#else
  // X11 and Wayland report the physical key as its XKB key code (evdev code
  // plus 8), the same for every layout.
  switch (key.nativeScanCode()) {
    case 27:
      return Qt::Key_R;
    case 32:
      return Qt::Key_O;
    case 39:
      return Qt::Key_S;
    case 42:
      return Qt::Key_G;
    case 28:
      return Qt::Key_T;
    case 41:
      return Qt::Key_F;
    case 46:
      return Qt::Key_L;
    default:
      break;
  }
#endif
  return key.key();
}

}  // namespace tevral::ui
