#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tevral::sim {

namespace {

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// The slave held open for the pair's life: open, raw. -1 when it fails.
int OpenRawSlave(const char* path) {
  const int fd = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  termios raw{};
  if (tcgetattr(fd, &raw) != 0) {
    close(fd);
    return -1;
  }
  cfmakeraw(&raw);
  if (tcsetattr(fd, TCSANOW, &raw) != 0) {
    close(fd);
    return -1;
  }
  return fd;
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
    slave_fd_ = OpenRawSlave(name);
    if (slave_fd_ < 0) ThrowErrno("open pseudo-terminal slave");
  } catch (...) {
    if (slave_fd_ >= 0) close(slave_fd_);
    close(master_fd_);
    throw;
  }
}

bool PseudoTerminal::HangUp() {
  if (ioctl(slave_fd_, TIOCVHANGUP) != 0) return false;
  // Our own descriptor was hung up with the others; a fresh one keeps the
  // pair alive for the next open.
  const int fresh = OpenRawSlave(slave_path_.c_str());
  if (fresh < 0) return false;
  close(slave_fd_);
  slave_fd_ = fresh;
  return true;
}

PseudoTerminal::~PseudoTerminal() {
  close(slave_fd_);
  close(master_fd_);
}

}  // namespace tevral::sim
