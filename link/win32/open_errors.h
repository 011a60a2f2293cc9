#pragma once
// How a Win32 error from opening a COM port is told to the user.

#include <cstdint>

#include "link/serial_device.h"

namespace tevral::link::win32 {

// error: the GetLastError() of a failed CreateFile on \\.\NAME.
OpenError OpenErrorFromWin32(uint32_t error);

}  // namespace tevral::link::win32
