#pragma once
// TMainForm, the one window of `terminal`: every field of the panel
// configuration, the port and speed selectors, the five command buttons,
// the progress bar and the about window. It is the model as well as the
// view: the sequences and the settings files reach the values through
// Form(), by control name.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "current/panel_session.h"
#include "current/ui/about_window.h"
#include "current/ui/desktop_services.h"
#include "current/ui/qt_form.h"
#include "current/ui/user_dialogs.h"
#include "link/tbcomport.h"
#include "link/trace.h"

class QKeyEvent;

namespace tevral::ui {

// What the window needs from outside; the program passes the real ones,
// tests their own (a folder of their own, a recording user, no system
// ports).
struct MainFormServices {
  UserDialogs* dialogs = nullptr;
  DesktopServices* desktop = nullptr;
  // The folder that holds the settings files: the program's own folder.
  QString program_folder;
  std::function<void(std::vector<std::string>&)> list_ports = link::ListSerialPorts;
  // The name a read or write opens for the selected port ("DEMO" becomes
  // the demo panel's device); empty: the name as shown.
  std::function<std::string(const std::string&)> resolve_port;
  // Receives every frame and reply of every read and write; nullptr: none.
  link::TraceSink* trace = nullptr;
};

class TMainForm : public QWidget {
  Q_OBJECT
 public:
  // Builds the window and runs FormCreate (port list, speed, start-up load).
  explicit TMainForm(const MainFormServices& services, QWidget* parent = nullptr);
  ~TMainForm() override;

  Form& MainForm() { return form_; }
  TFormHelp& FormHelp() { return *form_help_; }
  link::TBComPort& BComPort1() { return port_; }

  // Shows the window centred on the screen.
  void ShowCentred();

  // The handlers the controls and hot keys are wired to.
  void ButtonReadClick();
  void ButtonWriteClick();
  void PNGButton_OpenClick();
  void PNGButton_SaveClick();
  void PNGButton6Click();
  void Label1Click();

 private:
  void BuildControls();
  void FormCreate();
  void FormKeyDown(const QKeyEvent& key);
  void RefreshPorts();
  void ShowAboutWindow();

  // Runs a handler; an error that escapes it goes to the error box and the
  // program goes on.
  void Guarded(const std::function<void()>& handler);
  // A read or write: runs on a worker thread against the window's controls
  // while the window keeps painting and takes no input.
  void RunPanelCommand(const std::function<void(PanelSession&)>& sequence);

  void SaveSettingsFile();
  void OpenSettingsFile();
  void LoadStartUpFile();

  MainFormServices services_;
  link::TBComPort port_;
  QtForm form_;
  TFormHelp* form_help_ = nullptr;
  // Where the save dialog opens: the working directory at first, then the
  // folder the user last chose a file in.
  QString last_dialog_folder_;
};

}  // namespace tevral::ui
