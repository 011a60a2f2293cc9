#pragma once
// TComThread: the event thread of an open port. It waits for the line's
// events on the device, together with its StopEvent, and hands what each
// wait reported (ReceivedEvents) to the port's handling on the thread that
// the port's sync method chooses:
//
//   smThreadSync  the owner's thread runs the handling while the event thread
//                 waits for it; the owner runs it when it next calls
//                 ProcessPendingEvents, or while it waits in Stop.
//   smWindowSync  each event is queued for the owner's thread, in handling
//                 order, and the event thread goes on at once.
//   smNone        the event thread runs the handling itself.
//
// The owner's thread is whichever thread owns the port (the user-interface
// thread in the programs). An OwnerThreadDispatcher, when given, is told each
// time work is waiting, so an event loop can schedule ProcessPendingEvents;
// without one, the owner calls it when it pleases.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "link/com_types.h"
#include "link/line_events.h"

namespace tevral::link {

class SerialDevice;
class StopSignal;

// Told (on the event thread) that the owner's thread has events to handle.
// An implementation posts a call of ProcessPendingEvents to the owner's
// event loop; it must not run the handling itself.
class OwnerThreadDispatcher {
 public:
  virtual ~OwnerThreadDispatcher() = default;
  virtual void RequestDispatch() = 0;
};

// Receives an error raised by the handling of an event; it is called on the
// thread where the handling ran, and the event thread goes on.
using TApplicationErrorHandler = std::function<void(std::exception_ptr)>;

// The handling of one reported event, provided by the port. The thread
// calls it for each event of a wait, in the order of kLineEventOrder.
class LineEventSink {
 public:
  virtual void HandleLineEvent(TComEvent event) = 0;

 protected:
  ~LineEventSink() = default;
};

struct ComThreadSettings {
  TSyncMethod sync_method = TSyncMethod::smThreadSync;
  TComEvents watched = kAllLineEvents;
  OwnerThreadDispatcher* dispatcher = nullptr;
  TApplicationErrorHandler on_error;
};

class TComThread {
 public:
  // Makes StopEvent, sets the device's event mask and starts the thread.
  TComThread(SerialDevice& device, LineEventSink& sink, ComThreadSettings settings);
  // Stops the thread if Stop was not called.
  ~TComThread();
  TComThread(const TComThread&) = delete;
  TComThread& operator=(const TComThread&) = delete;

  // On the owner's thread: raises StopEvent and waits for the thread to end,
  // running a thread-sync dispatch that is pending meanwhile, so the wait
  // cannot deadlock. Events still queued for the owner are dropped: the port
  // is closing. Safe to call again, and from within a handler.
  void Stop();

  // On the owner's thread: runs the pending thread-sync dispatch, if any,
  // and every queued event. Does nothing when nothing waits.
  void ProcessPendingEvents();

  TComEvents ReceivedEvents() const;
  bool IsEventThread() const { return std::this_thread::get_id() == thread_.get_id(); }
  StopSignal& StopEvent() { return *stop_event_; }

 private:
  enum class DispatchState { kIdle, kPosted, kRunning };

  void Execute();
  void Dispatch(TComEvents events);
  void DispatchToOwnerAndWait(TComEvents events);
  void QueueForOwner(TComEvents events);
  void NotifyOwner();
  void RunPendingDispatch(std::unique_lock<std::mutex>& lock);
  void Handle(TComEvents events) noexcept;
  void ReportError(std::exception_ptr error) noexcept;
  void LeaveDevice();

  SerialDevice& device_;
  LineEventSink& sink_;
  const ComThreadSettings settings_;
  std::unique_ptr<StopSignal> stop_event_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  TComEvents received_events_;
  DispatchState dispatch_state_ = DispatchState::kIdle;
  TComEvents posted_events_;
  std::deque<TComEvent> owner_queue_;
  bool finished_ = false;
  bool stopping_ = false;

  std::thread thread_;
};

}  // namespace tevral::link
