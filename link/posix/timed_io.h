#pragma once
// Reads and writes on a non-blocking descriptor under Win32-style time-outs
// (see DeviceTimeouts in serial_device.h), waiting with poll() against
// deadlines on the monotonic clock. VTIME is not used: its unit is 100 ms,
// far coarser than the 1 ms gap the exchanges rely on, and it cannot express
// an overall limit.

#include <cstddef>
#include <optional>

#include "link/serial_device.h"

namespace tevral::link::posix {

// Reads up to size bytes. Returns the count read when the request is
// filled or a time-out ends it (possibly 0); nothing when the descriptor
// fails or the line has hung up.
std::optional<size_t> TimedRead(int fd, char* buffer, size_t size, const DeviceTimeouts& timeouts);

// Writes size bytes, handing them to the driver. Returns the count written
// (short when the write limit passed first); nothing on failure.
std::optional<size_t> TimedWrite(int fd, const char* data, size_t size,
                                 const DeviceTimeouts& timeouts);

}  // namespace tevral::link::posix
