#pragma once
// Whether the tests run under wine rather than on Windows: wine's ntdll
// exports wine_get_version, Windows' does not.

#include "link/win32/windows_api.h"

namespace tevral::link::testing {

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace tevral::link::testing
