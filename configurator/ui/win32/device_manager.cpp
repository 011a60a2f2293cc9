#include <shellapi.h>
#include <windows.h>

#include <QWidget>

#include "configurator/ui/desktop_services.h"

namespace tevral::ui {

void OpenSystemDeviceManager(QWidget* parent) {
  HWND owner = parent != nullptr ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
  ShellExecuteW(owner, L"open", L"devmgmt.msc", nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tevral::ui
