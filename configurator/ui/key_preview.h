#pragma once
// Lets a window see every key pressed in it before the focused control
// does, and then lets the key go on to that control: the windows' hot keys
// work whichever field has the focus.

#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QWidget;

namespace tevral::ui {

class KeyPreview : public QObject {
  Q_OBJECT
 public:
  // handler sees each key press once, whichever control of window it is
  // meant for.
  KeyPreview(QWidget* window, std::function<void(const QKeyEvent&)> handler);
  ~KeyPreview() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  std::function<void(const QKeyEvent&)> handler_;
  // The key press handled last, to tell it from a new one as it goes on to
  // the parents of the control that took it.
  struct HandledKey {
    const QKeyEvent* event = nullptr;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QPointer<QWidget> target;
  };
  bool IsSameKeyGoingUp(const QKeyEvent& key, const QWidget* widget) const;
  HandledKey handled_;
};

}  // namespace tevral::ui

namespace tevral::ui {

// The Latin letter key of a key press whatever the keyboard layout, so that
// Ctrl+S saves with the Ukrainian layout on too (where the key gives "і"):
// key() when it is a Latin letter, otherwise the letter at that physical
// key for R, O, S, G and T, the letters of the hot keys; key() for
// anything else.
int LatinKey(const QKeyEvent& key);

}  // namespace tevral::ui
