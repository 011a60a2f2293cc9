#include "link/posix/termios_settings.h"

#include <array>
#include <utility>

namespace tevral::link::posix {

namespace {

tcflag_t DataBitsFlag(int data_bits) {
  switch (data_bits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

bool ApplyParity(TParity parity, termios& settings) {
  settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD);
#ifdef CMSPAR
  settings.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
  switch (parity) {
    case TParity::paNone:
      return true;
    case TParity::paOdd:
      settings.c_cflag |= PARENB | PARODD;
      return true;
    case TParity::paEven:
      settings.c_cflag |= PARENB;
      return true;
#ifdef CMSPAR
    // With CMSPAR the parity bit is fixed: PARODD makes it 1 (mark).
    case TParity::paMark:
      settings.c_cflag |= PARENB | CMSPAR | PARODD;
      return true;
    case TParity::paSpace:
      settings.c_cflag |= PARENB | CMSPAR;
      return true;
#endif
    default:
      return false;
  }
}

}  // namespace

std::optional<speed_t> StandardSpeed(uint32_t rate) {
  static constexpr std::array<std::pair<uint32_t, speed_t>, 11> kSpeeds = {{
      {110, B110},
      {300, B300},
      {600, B600},
      {1200, B1200},
      {2400, B2400},
      {4800, B4800},
      {9600, B9600},
      {19200, B19200},
      {38400, B38400},
      {57600, B57600},
      {115200, B115200},
  }};
  for (const auto& [baud, speed] : kSpeeds) {
    if (baud == rate) return speed;
  }
  return std::nullopt;
}

// A character with a parity error is passed as it came (INPCK off):
// nothing is replaced or dropped, the exchanges judge the reply.
void MakeRaw(termios& settings) {
  cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
#ifdef CRTSCTS
  settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
}

bool ComposeLineSettings(const LineSettings& line, termios& settings) {
  MakeRaw(settings);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB);
  settings.c_cflag |= DataBitsFlag(line.data_bits);
  if (!ApplyParity(line.parity, settings)) return false;
  // A UART sends 1.5 stop bits for CSTOPB with 5 data bits, the only
  // combination in which 1.5 stop bits exist at all.
  if (line.stop_bits != TStopBits::sb1) settings.c_cflag |= CSTOPB;
  const speed_t speed = StandardSpeed(line.baud).value_or(B38400);
  return cfsetispeed(&settings, speed) == 0 && cfsetospeed(&settings, speed) == 0;
}

}  // namespace tevral::link::posix
