// <windows.h> must come first: <shellapi.h> uses its types and macros
// without including it (MinGW stops at DECLARE_HANDLE (HDROP)). The blank
// line keeps the include sorter from swapping them.
#include <windows.h>

#include <shellapi.h>

#include <QWidget>

#include "configurator/ui/desktop_services.h"

namespace tevral::ui {

void OpenSystemDeviceManager(QWidget* parent) {
  HWND owner = parent != nullptr ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
  ShellExecuteW(owner, L"open", L"devmgmt.msc", nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tevral::ui
