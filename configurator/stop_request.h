#pragma once
// The user may stop a read while it runs (Esc, or closing the window). A
// read only changes the window, so it can end anywhere between two
// attempts of an exchange: the stop is noticed in the pauses the exchanges
// make between sending and receiving and between attempts, which end at
// once when a stop is asked for. A write is never given such a pause: once
// started it runs to its end.

#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "link/exchanges.h"

namespace tevral {

// Thrown out of a stoppable pause when the user has stopped the command.
class CommandStopped : public std::runtime_error {
 public:
  CommandStopped() : std::runtime_error("stopped by the user") {}
};

class StopRequest {
 public:
  // From any thread.
  void Request();
  bool Requested() const;

  // A pause for the exchanges: sleeps like the real one, but ends early and
  // throws CommandStopped once a stop has been asked for (also when it was
  // asked for before the pause began). Must not outlive this object.
  link::Pause StoppablePause();

 private:
  void Wait(int milliseconds);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool requested_ = false;
};

}  // namespace tevral
