#pragma once
// A pseudo-terminal made for one test: the test holds the master end and
// plays the far side of the cable; the slave's path is the port name handed
// to TBComPort. Nothing here opens a port from the system's list.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace tevral::link::testing {

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("cannot create a pseudo-terminal");
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) throw std::runtime_error("ptsname_r");
    slave_path_ = name;
  }
  ~PseudoTerminal() { CloseMaster(); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& SlavePath() const { return slave_path_; }
  int Master() const { return master_; }

  // The far end sends bytes to the port in one write.
  void Send(const std::string& bytes) const {
    if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      throw std::runtime_error("write to the master failed");
    }
  }

  // What the port sent, collected until count bytes are in or the master
  // stays silent for quiet.
  std::string Collect(size_t count, std::chrono::milliseconds quiet) const {
    std::string got;
    char buffer[4096];
    while (got.size() < count) {
      pollfd watched{master_, POLLIN, 0};
      if (poll(&watched, 1, static_cast<int>(quiet.count())) <= 0) break;
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<size_t>(n));
    }
    return got;
  }

  // The cable is pulled: the port's side sees a hang-up.
  void CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slave_path_;
};

// A second descriptor on the slave, for looking at the terminal the port
// holds (its settings, whether input has arrived) without taking its bytes.
class SlaveView {
 public:
  explicit SlaveView(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
    if (fd_ < 0) throw std::runtime_error("cannot open the slave");
  }
  ~SlaveView() { close(fd_); }
  SlaveView(const SlaveView&) = delete;
  SlaveView& operator=(const SlaveView&) = delete;

  int Fd() const { return fd_; }

  // Waits (without taking anything) until input is queued on the terminal.
  bool AwaitInput(std::chrono::milliseconds bound = std::chrono::seconds(5)) const {
    pollfd watched{fd_, POLLIN, 0};
    return poll(&watched, 1, static_cast<int>(bound.count())) == 1 &&
           (watched.revents & POLLIN) != 0;
  }

 private:
  int fd_;
};

}  // namespace tevral::link::testing
