#pragma once
// What the windows of both programs share: the window is the model (its
// controls, reached through MainForm() by control name), it owns the serial
// port and the about window, and it runs every handler so that an error
// escaping it reaches the error box and the program goes on. The programs'
// windows add their own fields, buttons and hot keys.

#include <QSize>
#include <QWidget>
#include <functional>

#include "configurator/panel_comparison.h"
#include "configurator/panel_session.h"
#include "configurator/ui/about_window.h"
#include "configurator/ui/main_window_services.h"
#include "configurator/ui/qt_form.h"
#include "link/tbcomport.h"

class QKeyEvent;

namespace tevral::ui {

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
  // while the window keeps painting and takes no input.
  void RunPanelCommand(const std::function<void(PanelSession&)>& sequence);

  // Ctrl+K: reads the panel into a table of its own, leaving the fields
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
