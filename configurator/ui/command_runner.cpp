#include "configurator/ui/command_runner.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QWidget>
#include <QWindow>
#include <exception>
#include <thread>

namespace tevral::ui {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

// Whether the object belongs to the modal box that is up, if any.
bool BelongsToModalBox(QObject* object) {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return false;
  if (auto* widget = qobject_cast<QWidget*>(object)) {
    return widget == modal || modal->isAncestorOf(widget);
  }
  if (auto* window = qobject_cast<QWindow*>(object)) return window == modal->windowHandle();
  return false;
}

// A main or dialog window being closed by the user; tooltips and popups
// close themselves and must be let go.
bool IsUserWindowClose(QObject* object, QEvent* event) {
  if (event->type() != QEvent::Close) return false;
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr || !widget->isWindow()) return false;
  const Qt::WindowType type = widget->windowType();
  return type != Qt::ToolTip && type != Qt::Popup;
}

class InputShutter : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (IsUserWindowClose(watched, event) && !BelongsToModalBox(watched)) {
      event->ignore();
      return true;
    }
    return IsUserInput(event->type()) && !BelongsToModalBox(watched);
  }
};

}  // namespace

void RunWithWindowsPainting(const std::function<void()>& work) {
  InputShutter shutter;
  qApp->installEventFilter(&shutter);
  QEventLoop loop;
  std::exception_ptr error;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
    // Delivered inside loop.exec(), even if the work ends before it starts.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  qApp->removeEventFilter(&shutter);
  if (error) std::rethrow_exception(error);
}

}  // namespace tevral::ui
