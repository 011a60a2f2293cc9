#include "link/win32/open_errors.h"

#include "link/win32/windows_api.h"

namespace tevral::link::win32 {

OpenError OpenErrorFromWin32(uint32_t error) {
  switch (error) {
    // No device behind the name: the adapter is unplugged or the number
    // is wrong.
    case ERROR_FILE_NOT_FOUND:
      return OpenError::kNotFound;
    // The serial driver refuses a second open while another program holds
    // the port.
    case ERROR_ACCESS_DENIED:
      return OpenError::kBusy;
    // Anything else (ERROR_INVALID_NAME for an empty name, for one) is
    // reported as the first setup step failing, the message engineers know
    // for a port that could not be set up.
    default:
      return OpenError::kOther;
  }
}

}  // namespace tevral::link::win32
