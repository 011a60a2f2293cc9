#pragma once
// The about window: who made the program and how to reach them. Created
// hidden with the main window, shown beside it without blocking it;
// closing it only hides it, so the next show brings the same window back.
// Both programs use it, each with its own caption.

#include <QDialog>

#include "configurator/ui/desktop_services.h"

namespace tevral::ui {

class TFormHelp : public QDialog {
  Q_OBJECT
 public:
  TFormHelp(const QString& caption, DesktopServices& desktop, QWidget* parent = nullptr);

  // Shows it centred on the screen, or brings it to the front when shown.
  void ShowAbout();

  void sButton1Click();

 private:
  void FormKeyDown(int key);
  void PlaceControls();

  DesktopServices& desktop_;
};

}  // namespace tevral::ui
