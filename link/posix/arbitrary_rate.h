#pragma once
// Line rates that have no termios constant. On Linux they go through the
// termios2 interface (BOTHER); this header stays free of <termios.h>
// because the kernel's termios2 definitions clash with it.

#include <cstdint>
#include <optional>

namespace tevral::link::posix {

// Sets an arbitrary rate, both directions, on an open terminal whose other
// settings are already in place. False when the system refuses it.
bool SetArbitraryRate(int fd, uint32_t rate);

// The output rate in baud the terminal runs at, or nothing when it cannot
// be read.
std::optional<uint32_t> CurrentRate(int fd);

}  // namespace tevral::link::posix
