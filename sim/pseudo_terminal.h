#pragma once
// A pseudo-terminal pair: the panel's end is the master, the configurator
// opens the slave device by its path like any serial port.
//
// The slave is set to raw mode at once (no echo, no line editing), so bytes
// pass unchanged even before the configurator applies its own settings. One
// slave descriptor stays open for the pair's whole life: without it, a
// master whose slave is closed reports a hang-up on every poll, and the
// line settings would be lost between the configurator's sessions.

#include <string>

namespace tevral::sim {

class PseudoTerminal {
 public:
  // Throws std::system_error when the pair cannot be made.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int MasterFd() const { return master_fd_; }  // non-blocking
  const std::string& SlavePath() const { return slave_path_; }

  // Hangs the line up as a pulled cable does: whoever has the slave open
  // reads the end of the line and can no longer write. The device stays,
  // so it can be opened again at once, as a cable plugged back in. Needs
  // the right to hang up a terminal (root or CAP_SYS_TTY_CONFIG); false
  // when that is refused.
  bool HangUp();

 private:
  int master_fd_ = -1;
  int slave_fd_ = -1;
  std::string slave_path_;
};

}  // namespace tevral::sim
