#pragma once
// What the windows of both programs share: the window is the model (its
// controls, reached through MainForm() by control name), it owns the serial
// port and the about window, and it runs every handler so that an error
// escaping it reaches the error box and the program goes on. The programs'
// windows add their own fields, buttons and hot keys.

#include <QSize>
#include <QWidget>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "configurator/panel_comparison.h"
#include "configurator/panel_session.h"
#include "configurator/settings_file.h"
#include "configurator/stop_request.h"
#include "configurator/ui/about_window.h"
#include "configurator/ui/main_window_services.h"
#include "configurator/ui/qt_form.h"
#include "link/tbcomport.h"

class QCloseEvent;
class QKeyEvent;

namespace tevral::ui {

// The hints of the read and write buttons name their hot keys.
inline constexpr const char* kReadButtonHint = "Прочитати (Ctrl+G)";
inline constexpr const char* kWriteButtonHint = "Записати (Ctrl+T)";

class PanelWindow : public QWidget {
  Q_OBJECT
 public:
  ~PanelWindow() override;

  Form& MainForm() { return form_; }
  TFormHelp& FormHelp() { return *form_help_; }
  link::TBComPort& BComPort1() { return port_; }

  // Shows the window centred on the screen.
  void ShowCentred();

  // The about button: the information sound, then the about window.
  void PNGButton6Click();
  // The "Порт:" label: the information sound, then the device manager.
  void Label1Click();

 protected:
  // Texts are UTF-8. The derived window builds its controls, then fixes its
  // size with FixClientSize.
  PanelWindow(const MainFormServices& services, const char* start_caption,
              const char* about_caption, QWidget* parent);

  void FixClientSize(QSize size_at_96_dpi);
  void WireButton(const char* name, std::function<void()> handler);

  // The hot keys; the window sees every key before the focused control,
  // which then gets it as well.
  virtual void FormKeyDown(const QKeyEvent& key) = 0;

  // The start steps both windows share: the port list with its first port
  // selected, 115200 baud, the green bar. Throws when the port list cannot
  // be made, so the caller's later steps are skipped.
  void SelectFirstPortAndSpeed();
  // Ctrl+R: the port list anew, its first port, "Порти оновлено!".
  void RefreshPorts();
  void ShowAboutWindow();

  // Runs a handler; an error that escapes it goes to the error box and the
  // program goes on.
  void Guarded(const std::function<void()>& handler);
  // A read or write: runs on a worker thread against the window's controls
  // while the window keeps painting and takes no input, under the wait
  // cursor. Returns what the sequence returned (true: it ended with its
  // success message), false when the user stopped it. Esc or closing the
  // window stops a read between exchanges: the port is closed and the read
  // has put the fields back; a window closed that way then closes. A write
  // cannot be stopped half way, and the user is told so.
  enum class PanelCommand { kRead, kWrite };
  bool RunPanelCommand(PanelCommand kind, const std::function<bool(PanelSession&)>& sequence);

  // Ctrl+G reads (on the Ukrainian layout the key of "П", Прочитати),
  // Ctrl+T writes, whatever the keyboard layout: the same as clicking
  // ButtonRead or ButtonWrite. The buttons' hints name the keys. Letters a
  // line edit acts on (Ctrl+U, Ctrl+K, Ctrl+D on X11) and those with a
  // meaning that would surprise (Ctrl+W closes, Ctrl+P prints) are avoided.
  void PanelCommandKeys(const QKeyEvent& key);

  // Tab goes through the named controls in this order; the command buttons
  // among them take the focus and fire with Space or Enter.
  void SetKeyboardOrder(std::span<const char* const> names);

  // The fields a settings file keeps, minus the port: what the engineer
  // would lose by closing the window.
  virtual SettingsKeySet KeptFields() const = 0;
  // The fields now hold what was last read, written, opened or saved.
  void MarkFieldsSaved();
  // Asks before a window with edited fields closes.
  void closeEvent(QCloseEvent* event) override;

  // Shows, once, that the frame trace could not be written.
  void ReportTraceFailure();

  std::vector<std::string> KeptValues() const;
  void StopOnUserRequest(PanelCommand kind, StopRequest& stop, QWidget* closed_window);

  std::vector<std::string> saved_values_;
  bool close_after_command_ = false;
  bool telling_write_cannot_stop_ = false;

  // Ctrl+L: reads the panel into a table of its own, leaving the fields
  // alone, and shows how it differs from the window; the engineer may take
  // the panel's values into the window.
  void ComparePanelWithWindow(const ComparisonPlan& plan);
  // Ctrl+F: sends the identification quietly to each USB adapter of the
  // port list (and to a port the program provides itself, the demo panel)
  // and marks in the list the port a panel answered on. Never a built-in
  // port, and never without the engineer asking.
  void FindPanelPort();

  MainFormServices services_;
  link::TBComPort port_;
  QtForm form_;
  TFormHelp* form_help_ = nullptr;
};

}  // namespace tevral::ui
