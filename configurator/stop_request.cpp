#include "configurator/stop_request.h"

#include <chrono>

namespace tevral {

void StopRequest::Request() {
  {
    const std::lock_guard lock(mutex_);
    requested_ = true;
  }
  wake_.notify_all();
}

bool StopRequest::Requested() const {
  const std::lock_guard lock(mutex_);
  return requested_;
}

void StopRequest::Wait(int milliseconds) {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return requested_; });
  if (requested_) throw CommandStopped();
}

link::Pause StopRequest::StoppablePause() {
  return [this](int milliseconds) { Wait(milliseconds); };
}

}  // namespace tevral
