#pragma once
// TMainForm of `terminal-earlier`: the fields of the earlier firmware (two
// servers by address or domain name, password, SUR-GARD prefix, event-code
// switch), the port and speed selectors, the four command buttons, the
// progress bar and the about window. Like the current program's window it
// is the model as well as the view: the sequences and the fixed settings
// file reach the values through MainForm(), by control name.
//
// It differs from the current window in what the earlier program keeps:
// one settings file, zEdaza.ini beside the program, loaded at start and
// saved by PNGButton2; no open button and no Ctrl+O or Ctrl+S.

#include <QWidget>
#include <functional>

#include "configurator/panel_session.h"
#include "configurator/ui/main_window_services.h"
#include "configurator/ui/panel_window.h"

class QKeyEvent;

namespace tevral::earlier::ui {

// The same outside services as the current window: the dialogs, the
// desktop, the program's folder (where zEdaza.ini lies) and the port list.
using MainFormServices = tevral::ui::MainFormServices;

class TMainForm : public tevral::ui::PanelWindow {
  Q_OBJECT
 public:
  // Builds the window and runs FormCreate (port list, speed, bar colour,
  // start-up load of zEdaza.ini).
  explicit TMainForm(const MainFormServices& services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The handlers the controls and hot keys are wired to.
  void ButtonReadClick();
  void ButtonWriteClick();
  void PNGButton2Click();

 private:
  void BuildControls();
  void WireHandlers();
  void FormCreate();
  void FormKeyDown(const QKeyEvent& key) override;
};

}  // namespace tevral::earlier::ui
