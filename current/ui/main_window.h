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

#include "configurator/ui/main_window_services.h"
#include "configurator/ui/panel_window.h"

class QKeyEvent;

namespace tevral::current::ui {

using tevral::ui::MainFormServices;

class TMainForm : public tevral::ui::PanelWindow {
  Q_OBJECT
 public:
  // Builds the window and runs FormCreate (port list, speed, start-up load).
  explicit TMainForm(const MainFormServices& services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The handlers the controls and hot keys are wired to.
  void ButtonReadClick();
  void ButtonWriteClick();
  void PNGButton_OpenClick();
  void PNGButton_SaveClick();

 private:
  void BuildControls();
  void FormCreate();
  void FormKeyDown(const QKeyEvent& key) override;

  void SaveSettingsFile();
  void OpenSettingsFile();
  void LoadStartUpFile();

  // Where the save dialog opens: the working directory at first, then the
  // folder the user last chose a file in.
  QString last_dialog_folder_;
};

}  // namespace tevral::current::ui
