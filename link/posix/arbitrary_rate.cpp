#include "link/posix/arbitrary_rate.h"

#if defined(__linux__)
#include <asm/termbits.h>
#include <sys/ioctl.h>
#else
#include <termios.h>
#endif

namespace tevral::link::posix {

#if defined(__linux__)

bool SetArbitraryRate(int fd, uint32_t rate) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return false;
  settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ispeed = rate;
  settings.c_ospeed = rate;
  return ioctl(fd, TCSETS2, &settings) == 0;
}

std::optional<uint32_t> CurrentRate(int fd) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
  return settings.c_ospeed;
}

#else

// Elsewhere (the BSDs, macOS) speed_t is the rate in baud itself.
bool SetArbitraryRate(int fd, uint32_t rate) {
  struct termios settings {};
  if (tcgetattr(fd, &settings) != 0) return false;
  if (cfsetspeed(&settings, static_cast<speed_t>(rate)) != 0) return false;
  return tcsetattr(fd, TCSANOW, &settings) == 0;
}

std::optional<uint32_t> CurrentRate(int fd) {
  struct termios settings {};
  if (tcgetattr(fd, &settings) != 0) return std::nullopt;
  return static_cast<uint32_t>(cfgetospeed(&settings));
}

#endif

}  // namespace tevral::link::posix
