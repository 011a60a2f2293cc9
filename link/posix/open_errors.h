#pragma once
// How a POSIX error from opening or locking a serial device is told to the
// user.

#include "link/serial_device.h"

namespace tevral::link::posix {

OpenError OpenErrorFromErrno(int error);

}  // namespace tevral::link::posix
