#pragma once
// The computer's serial ports from the registry, where the serial drivers
// list the ports they serve.

#include "link/win32/windows_api.h"

#include <string>
#include <vector>

namespace tevral::link::win32 {

// Replaces ports with the data of every value of root\subkey (each a port
// name such as COM3; the value names are driver names and are not used),
// sorted without regard to case in the user's locale: COM10 before COM2.
// A key that does not exist is an empty list: Windows makes the key only
// once a serial driver has started, so a PC whose USB adapter is not
// plugged in yet has none. Any other failure throws EComPort with the
// registry message and leaves ports as they were.
void ListSerialPortsUnder(HKEY root, const char* subkey, std::vector<std::string>& ports);

}  // namespace tevral::link::win32
