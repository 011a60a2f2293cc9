#include "link/com_thread.h"

#include <chrono>

#include "link/serial_device.h"

namespace tevral::link {

namespace {

// A wait whose result cannot be obtained is retried, but not at once: a
// device that has gone away (a pulled USB cable) fails every wait
// immediately, and retrying without a pause would keep a core busy until
// the port is closed.
constexpr std::chrono::milliseconds kPauseAfterFailedWait{100};

}  // namespace

TComThread::TComThread(SerialDevice& device, LineEventSink& sink, ComThreadSettings settings)
    : device_(device),
      sink_(sink),
      settings_(std::move(settings)),
      stop_event_(device.MakeStopSignal()) {
  // The priority stays tpNormal, which is what a new thread gets anyway.
  device_.SetEventMask(EventMask(settings_.watched));
  thread_ = std::thread([this] { Execute(); });
}

TComThread::~TComThread() {
  Stop();
}

TComEvents TComThread::ReceivedEvents() const {
  std::lock_guard lock(mutex_);
  return received_events_;
}

// ---------------------------------------------------------------------------
// The event thread

void TComThread::Execute() {
  for (;;) {
    const LineEventWait wait = device_.WaitForLineEvents(*stop_event_);
    if (wait.outcome == LineEventWait::Outcome::kStopped) break;
    if (wait.outcome == LineEventWait::Outcome::kFailed) {
      if (stop_event_->Wait(kPauseAfterFailedWait)) break;
      continue;
    }
    const TComEvents events = EventsFromFlags(wait.flags & EventMask(settings_.watched));
    {
      std::lock_guard lock(mutex_);
      received_events_ = events;
    }
    if (!events.Empty()) Dispatch(events);
  }
  LeaveDevice();
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  changed_.notify_all();
}

// The port is being let go: no more events, and whatever the driver still
// holds either way is of no use to anyone.
void TComThread::LeaveDevice() {
  device_.SetEventMask(0);
  device_.DiscardQueues();
}

void TComThread::Dispatch(TComEvents events) {
  switch (settings_.sync_method) {
    case TSyncMethod::smNone:
      Handle(events);
      return;
    case TSyncMethod::smWindowSync:
      QueueForOwner(events);
      return;
    case TSyncMethod::smThreadSync:
      break;
  }
  DispatchToOwnerAndWait(events);
}

// The next wait starts only once the owner has handled these events, so a
// handler sees the line as it was when they were reported.
void TComThread::DispatchToOwnerAndWait(TComEvents events) {
  std::unique_lock lock(mutex_);
  posted_events_ = events;
  dispatch_state_ = DispatchState::kPosted;
  lock.unlock();
  changed_.notify_all();  // Stop may be waiting already
  NotifyOwner();
  lock.lock();
  changed_.wait(lock, [this] { return dispatch_state_ == DispatchState::kIdle; });
}

void TComThread::QueueForOwner(TComEvents events) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    for (TComEvent event : kLineEventOrder) {
      if (events.Contains(event)) owner_queue_.push_back(event);
    }
  }
  NotifyOwner();
}

void TComThread::NotifyOwner() {
  if (settings_.dispatcher != nullptr) settings_.dispatcher->RequestDispatch();
}

// An error raised by the handling of one event never ends the event
// thread, nor the handling of the events after it.
void TComThread::Handle(TComEvents events) noexcept {
  for (TComEvent event : kLineEventOrder) {
    if (!events.Contains(event)) continue;
    try {
      sink_.HandleLineEvent(event);
    } catch (...) {
      ReportError(std::current_exception());
    }
  }
}

void TComThread::ReportError(std::exception_ptr error) noexcept {
  if (!settings_.on_error) return;
  try {
    settings_.on_error(error);
  } catch (...) {
    // The error handler itself failed; there is nobody left to tell.
  }
}

// ---------------------------------------------------------------------------
// The owner's thread

void TComThread::ProcessPendingEvents() {
  std::unique_lock lock(mutex_);
  RunPendingDispatch(lock);
  while (!owner_queue_.empty()) {
    const TComEvent event = owner_queue_.front();
    owner_queue_.pop_front();
    lock.unlock();
    Handle(TComEvents{event});
    lock.lock();
  }
}

void TComThread::RunPendingDispatch(std::unique_lock<std::mutex>& lock) {
  if (dispatch_state_ != DispatchState::kPosted) return;
  dispatch_state_ = DispatchState::kRunning;
  const TComEvents events = posted_events_;
  lock.unlock();
  Handle(events);
  lock.lock();
  // Stop, called by the handler, may have released the event thread already.
  if (dispatch_state_ == DispatchState::kRunning) dispatch_state_ = DispatchState::kIdle;
  changed_.notify_all();
}

void TComThread::Stop() {
  std::unique_lock lock(mutex_);
  if (stopping_) return;
  stopping_ = true;
  owner_queue_.clear();
  // Called from a handler of a thread-sync dispatch: the event thread waits
  // for that dispatch to end, and it cannot end before Stop returns.
  if (dispatch_state_ == DispatchState::kRunning) {
    dispatch_state_ = DispatchState::kIdle;
    changed_.notify_all();
  }
  lock.unlock();

  stop_event_->Raise();
  std::this_thread::yield();

  lock.lock();
  for (;;) {
    if (dispatch_state_ == DispatchState::kPosted) {
      RunPendingDispatch(lock);
      continue;
    }
    if (finished_) break;
    changed_.wait(lock);
  }
  lock.unlock();
  thread_.join();
}

}  // namespace tevral::link
