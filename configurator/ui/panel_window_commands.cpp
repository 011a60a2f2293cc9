// The panel commands of the windows as the user drives them: Read and
// Write from their buttons and hot keys, the wait cursor while they run,
// the way out of a read, the keyboard order of the controls, and the
// question before edited fields are closed away.

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QToolButton>

#include "configurator/ui/command_runner.h"
#include "configurator/ui/demo_port_form.h"
#include "configurator/ui/form_proxy.h"
#include "configurator/ui/image_button.h"
#include "configurator/ui/key_preview.h"
#include "configurator/ui/panel_window.h"

namespace tevral::ui {
namespace {

constexpr const char* kWriteCannotStop =
    "Запис не можна перервати на півдорозі: дочекайтеся його завершення.";

// The wait cursor for as long as a command runs.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void PanelWindow::StopOnUserRequest(PanelCommand kind, StopRequest& stop, QWidget* closed_window) {
  if (kind == PanelCommand::kRead) {
    stop.Request();
    if (closed_window == this) close_after_command_ = true;
    return;
  }
  // A write has no undo and the panel would keep half of it: it runs to
  // its end, and the user is told why nothing happens.
  if (telling_write_cannot_stop_) return;
  telling_write_cannot_stop_ = true;
  services_.dialogs->Message(this, QString::fromUtf8(kWriteCannotStop));
  telling_write_cannot_stop_ = false;
}

bool PanelWindow::RunPanelCommand(PanelCommand kind,
                                  const std::function<bool(PanelSession&)>& sequence) {
  StopRequest stop;
  FormProxy proxy(form_, this);
  PortResolvingForm form(proxy, services_.resolve_port);
  link::Exchanges exchanges(
      port_, form, kind == PanelCommand::kRead ? stop.StoppablePause() : link::RealPause());
  exchanges.SetTrace(services_.trace);
  PanelSession session{form, port_, exchanges};
  WhileBusy busy;
  busy.escape = [&] { StopOnUserRequest(kind, stop, nullptr); };
  busy.close = [&](QWidget* window) {
    if (window == this) StopOnUserRequest(kind, stop, window);
  };

  bool succeeded = false;
  try {
    const WaitCursor wait;
    RunWithWindowsPainting([&] { succeeded = sequence(session); }, busy);
  } catch (const CommandStopped&) {
    // The read has put the fields back on its way out; the port it left
    // open is closed and the bar emptied, as after a failed exchange.
    port_.Close();
    form_.ResetProgress();
  } catch (...) {
    ReportTraceFailure();
    throw;
  }
  ReportTraceFailure();
  if (succeeded) MarkFieldsSaved();
  if (close_after_command_) {
    close_after_command_ = false;
    // After the handler that ran the command has returned.
    QTimer::singleShot(0, this, [this] { close(); });
  }
  return succeeded;
}

void PanelWindow::PanelCommandKeys(const QKeyEvent& key) {
  if (!key.modifiers().testFlag(Qt::ControlModifier)) return;
  const int latin = LatinKey(key);
  const char* button = latin == Qt::Key_G   ? "ButtonRead"
                       : latin == Qt::Key_T ? "ButtonWrite"
                                            : nullptr;
  if (button == nullptr) return;
  // Clicked once the key press has been delivered: a command run from
  // inside the key's delivery would install its input filter while the
  // application's filters are being walked, and the key would reach this
  // window's key preview a second time.
  if (auto* target = findChild<QToolButton*>(QString::fromLatin1(button))) {
    QMetaObject::invokeMethod(target, &QToolButton::click, Qt::QueuedConnection);
  }
}

void PanelWindow::SetKeyboardOrder(std::span<const char* const> names) {
  QWidget* previous = nullptr;
  for (const char* name : names) {
    auto* widget = findChild<QWidget*>(QString::fromLatin1(name));
    if (widget == nullptr) continue;
    if (auto* button = qobject_cast<ImageButton*>(widget)) button->ReachableByKeyboard();
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

std::vector<std::string> PanelWindow::KeptValues() const {
  std::vector<std::string> values;
  for (const SettingSpec& field : KeptFields()) {
    if (field.section == "cbPort") continue;  // the port is not the engineer's data
    switch (field.key) {
      case SettingKey::kText:
        values.push_back(form_.Text(field.section));
        break;
      case SettingKey::kChecked:
        values.push_back(form_.Checked(field.section) ? "1" : "0");
        break;
      case SettingKey::kItemIndex:
        values.push_back(std::to_string(form_.ItemIndex(field.section)));
        break;
    }
  }
  return values;
}

void PanelWindow::MarkFieldsSaved() {
  saved_values_ = KeptValues();
}

void PanelWindow::closeEvent(QCloseEvent* event) {
  if (KeptValues() != saved_values_ && !services_.dialogs->ConfirmLeaveUnsaved(this)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tevral::ui
