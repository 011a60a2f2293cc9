#include "configurator/ui/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace tevral::ui {

void SystemDesktopServices::InformationSound() {
  QApplication::beep();
}

void SystemDesktopServices::OpenDeviceManager(QWidget* parent) {
  OpenSystemDeviceManager(parent);
}

void SystemDesktopServices::OpenAddress(const QUrl& address) {
  QDesktopServices::openUrl(address);
}

}  // namespace tevral::ui
