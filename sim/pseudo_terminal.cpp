#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tevral::sim {

namespace {

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_fd_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_fd_ < 0) ThrowErrno("posix_openpt");
  try {
    const int flags = fcntl(master_fd_, F_GETFL);
    if (flags < 0 || fcntl(master_fd_, F_SETFL, flags | O_NONBLOCK) != 0) ThrowErrno("fcntl");
    if (fcntl(master_fd_, F_SETFD, FD_CLOEXEC) != 0) ThrowErrno("fcntl");
    if (grantpt(master_fd_) != 0) ThrowErrno("grantpt");
    if (unlockpt(master_fd_) != 0) ThrowErrno("unlockpt");
    char name[128];
    if (ptsname_r(master_fd_, name, sizeof name) != 0) ThrowErrno("ptsname_r");
    slave_path_ = name;
    slave_fd_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_fd_ < 0) ThrowErrno("open pseudo-terminal slave");
    termios raw{};
    if (tcgetattr(slave_fd_, &raw) != 0) ThrowErrno("tcgetattr");
    cfmakeraw(&raw);
    if (tcsetattr(slave_fd_, TCSANOW, &raw) != 0) ThrowErrno("tcsetattr");
  } catch (...) {
    if (slave_fd_ >= 0) close(slave_fd_);
    close(master_fd_);
    throw;
  }
}

PseudoTerminal::~PseudoTerminal() {
  close(slave_fd_);
  close(master_fd_);
}

}  // namespace tevral::sim
