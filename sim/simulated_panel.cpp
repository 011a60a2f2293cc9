#include "sim/simulated_panel.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace tevral::sim {

namespace {

constexpr size_t kReceivedLimit = 1 << 20;
constexpr size_t kRecordLimit = 10000;

bool Readable(const pollfd& p) {
  return (p.revents & POLLIN) != 0;
}

bool IsReadRequest(std::string_view body) {
  return body.size() >= 4 && (body.substr(2, 2) == "01" || body.substr(2, 2) == "11");
}

// A read reply is ":" + three header pairs + data pairs + checksum pair +
// ";"; the last `count` data pairs are cut out.
std::string WithoutLastDataPairs(std::string reply, int count) {
  constexpr size_t kBeforeData = 7;
  constexpr size_t kAfterData = 3;
  if (count <= 0 || reply.size() < kBeforeData + kAfterData) return reply;
  const size_t data = reply.size() - kBeforeData - kAfterData;
  const size_t cut = std::min(data, 2 * static_cast<size_t>(count));
  reply.erase(reply.size() - kAfterData - cut, cut);
  return reply;
}

}  // namespace

std::string FormatRequestRecord(const RequestRecord& record) {
  std::string line = "-> " + record.frame + " ";
  if (!record.checksum_ok) return line + "(bad checksum)";
  if (!record.answered) return line + "(no answer)";
  return line + "<- " + record.reply;
}

SimulatedPanel::SimulatedPanel() = default;

SimulatedPanel::~SimulatedPanel() {
  Stop();
}

void SimulatedPanel::Start() {
  if (thread_.joinable()) throw std::logic_error("the simulated panel is already running");
  auto terminal = std::make_unique<PseudoTerminal>();
  const int stop_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (stop_fd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
  {
    std::lock_guard lock(mutex_);
    terminal_ = std::move(terminal);
  }
  stop_fd_ = stop_fd;
  parser_ = FrameParser();
  {
    std::lock_guard lock(outbox_mutex_);
    outbox_.clear();
    stopping_ = false;
  }
  thread_ = std::thread([this] { Serve(); });
  writer_ = std::thread([this] { WriteOut(); });
}

void SimulatedPanel::Stop() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  // An eventfd write of 1 cannot fail short of a counter overflow.
  [[maybe_unused]] const ssize_t written = write(stop_fd_, &one, sizeof one);
  {
    std::lock_guard lock(outbox_mutex_);
    stopping_ = true;
  }
  outbox_changed_.notify_all();
  thread_.join();
  writer_.join();
  close(stop_fd_);
  stop_fd_ = -1;
  std::lock_guard lock(mutex_);
  terminal_.reset();
}

std::string SimulatedPanel::DevicePath() const {
  std::lock_guard lock(mutex_);
  return terminal_ ? terminal_->SlavePath() : std::string();
}

void SimulatedPanel::SetIdentity(const PanelIdentity& identity) {
  std::lock_guard lock(mutex_);
  identity_ = identity;
}

PanelIdentity SimulatedPanel::Identity() const {
  std::lock_guard lock(mutex_);
  return identity_;
}

void SimulatedPanel::SetFaults(const PanelFaults& faults) {
  std::lock_guard lock(mutex_);
  faults_ = faults;
}

PanelFaults SimulatedPanel::Faults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

void SimulatedPanel::SetLogCallback(LogCallback callback) {
  std::lock_guard lock(mutex_);
  log_callback_ = std::move(callback);
}

std::vector<RequestRecord> SimulatedPanel::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::string SimulatedPanel::ReceivedBytes() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void SimulatedPanel::ClearLog() {
  std::lock_guard lock(mutex_);
  requests_.clear();
  received_.clear();
  requests_seen_ = 0;
  answers_sent_ = 0;
}

bool SimulatedPanel::WaitForRequests(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return recorded_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

bool SimulatedPanel::WaitUntilSent(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(outbox_mutex_);
  return outbox_changed_.wait_for(lock, timeout,
                                  [&] { return outbox_.empty() && !writing_ && deciding_ == 0; });
}

int SimulatedPanel::HangUps() const {
  std::lock_guard lock(mutex_);
  return hang_ups_;
}

bool SimulatedPanel::HangUpRefused() const {
  std::lock_guard lock(mutex_);
  return hang_up_refused_;
}

void SimulatedPanel::Serve() {
  const int master = terminal_->MasterFd();
  std::array<char, 4096> buffer;
  while (true) {
    std::array<pollfd, 2> fds = {pollfd{master, POLLIN, 0}, pollfd{stop_fd_, POLLIN, 0}};
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (Readable(fds[1])) return;
    if (Readable(fds[0])) {
      const ssize_t n = read(master, buffer.data(), buffer.size());
      if (n > 0) {
        HandleInput(buffer.data(), static_cast<size_t>(n));
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    // The slave end is held open by the terminal, so a hang-up here is
    // the short moment while the line is hung up on purpose and the
    // terminal takes a fresh hold of it. Anything else means the line is
    // broken; stop listening rather than spin on it.
    if ((fds[0].revents & POLLHUP) != 0) {
      if (!WaitUnlessStopped(10)) return;
      continue;
    }
    if (fds[0].revents != 0) break;
  }
  WaitUnlessStopped(-1);
}

void SimulatedPanel::HandleInput(const char* bytes, size_t size) {
  {
    std::lock_guard lock(mutex_);
    received_.append(bytes, size);
    if (received_.size() > kReceivedLimit) {
      received_.erase(0, received_.size() - kReceivedLimit);
    }
  }
  for (const std::string& frame : parser_.Feed(std::string_view(bytes, size))) {
    HandleFrame(frame);
  }
}

void SimulatedPanel::HandleFrame(const std::string& frame) {
  const Frame parts = SplitFrame(frame);
  PanelFaults faults;
  PanelIdentity identity;
  LogCallback callback;
  {
    std::lock_guard lock(mutex_);
    faults = faults_;
    identity = identity_;
    callback = log_callback_;
  }
  {
    // From before the request is recorded until its output is in the box,
    // the panel counts as having something to send: whoever saw the record
    // and waits until everything is sent also waits for this.
    std::lock_guard lock(outbox_mutex_);
    ++deciding_;
  }
  RequestRecord record{frame, parts.checksum_ok, false, {}};
  const bool hang_up = HangsUpAt(parts, faults);
  if (!hang_up) record.reply = ReplyTo(parts, faults, identity);
  record.answered = !record.reply.empty();
  {
    // Recorded before the reply goes out, so whoever has received the reply
    // finds the record already there.
    std::lock_guard lock(mutex_);
    requests_.push_back(record);
    if (requests_.size() > kRecordLimit) requests_.erase(requests_.begin());
  }
  recorded_.notify_all();
  if (callback) callback(record);
  if (hang_up) ScheduleHangUp();
  if (record.answered) ScheduleReply(record.reply, faults);
  {
    std::lock_guard lock(outbox_mutex_);
    --deciding_;
  }
  outbox_changed_.notify_all();
}

// Counted among the requests with a good checksum, like every fault; the
// request it hits is counted and gets no answer.
bool SimulatedPanel::HangsUpAt(const Frame& parts, const PanelFaults& faults) {
  if (!parts.checksum_ok || faults.hang_up_at <= 0) return false;
  std::lock_guard lock(mutex_);
  if (requests_seen_ + 1 != faults.hang_up_at) return false;
  ++requests_seen_;
  return true;
}

std::string SimulatedPanel::ReplyTo(const Frame& parts, const PanelFaults& faults,
                                    const PanelIdentity& identity) {
  if (!parts.checksum_ok) return {};
  {
    std::lock_guard lock(mutex_);
    ++requests_seen_;
    if (faults.silent || requests_seen_ <= faults.ignore_first) return {};
    if (faults.stop_after >= 0 && answers_sent_ >= faults.stop_after) return {};
  }
  auto reply = AnswerRequest(parts.body, memory_, identity);
  if (!reply) return {};
  if (IsReadRequest(parts.body)) *reply = WithoutLastDataPairs(*reply, faults.drop_data_pairs);
  if (faults.drop_final_semicolon) reply->pop_back();
  std::lock_guard lock(mutex_);
  ++answers_sent_;
  return faults.garbage_before + *reply;
}

void SimulatedPanel::ScheduleReply(const std::string& reply, const PanelFaults& faults) {
  const Clock::time_point start = Clock::now() + std::chrono::milliseconds(faults.reply_delay_ms);
  std::vector<Output> pieces;
  if (faults.chunk_gap_ms > 0) {
    const size_t size = faults.chunk_size == 0 ? 1 : faults.chunk_size;
    const auto gap = std::chrono::milliseconds(faults.chunk_gap_ms);
    for (size_t at = 0, k = 0; at < reply.size(); at += size, ++k) {
      pieces.push_back({start + gap * static_cast<int>(k), reply.substr(at, size)});
    }
  } else if (faults.split_gap_ms > 0 && reply.size() >= 2) {
    size_t first = faults.split_at == 0 ? reply.size() / 2 : faults.split_at;
    if (first > reply.size()) first = reply.size();
    pieces.push_back({start, reply.substr(0, first)});
    pieces.push_back({start + std::chrono::milliseconds(faults.split_gap_ms), reply.substr(first)});
  } else {
    pieces.push_back({start, reply});
  }
  Schedule(std::move(pieces));
}

void SimulatedPanel::ScheduleHangUp() {
  Schedule({Output{Clock::now(), {}, true}});
}

// A panel sends one reply after the other: pieces due before the end of
// what is already in the box wait for it, keeping their spacing.
void SimulatedPanel::Schedule(std::vector<Output> pieces) {
  if (pieces.empty()) return;
  {
    std::lock_guard lock(outbox_mutex_);
    const auto shift = std::max(Clock::duration::zero(), last_scheduled_ - pieces.front().at);
    for (Output& piece : pieces) {
      piece.at += shift;
      outbox_.push_back(std::move(piece));
    }
    last_scheduled_ = outbox_.back().at;
  }
  outbox_changed_.notify_all();
}

void SimulatedPanel::WriteOut() {
  std::unique_lock lock(outbox_mutex_);
  for (;;) {
    if (stopping_) return;
    if (outbox_.empty()) {
      outbox_changed_.wait(lock);
      continue;
    }
    if (Clock::now() < outbox_.front().at) {
      outbox_changed_.wait_until(lock, outbox_.front().at);
      continue;
    }
    Output piece = std::move(outbox_.front());
    outbox_.pop_front();
    writing_ = true;
    lock.unlock();
    if (piece.hang_up) {
      HangUpLine();
    } else {
      WriteAll(piece.bytes);
    }
    lock.lock();
    writing_ = false;
    outbox_changed_.notify_all();
  }
}

void SimulatedPanel::HangUpLine() {
  const bool done = terminal_->HangUp();
  std::lock_guard lock(mutex_);
  if (done) ++hang_ups_;
  hang_up_refused_ = !done;
}

bool SimulatedPanel::WriteAll(const std::string& data) {
  const int master = terminal_->MasterFd();
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(master, data.data() + done, data.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return true;  // the line is gone; the reply is lost
    // The configurator's input queue is full: wait until it reads.
    std::array<pollfd, 2> fds = {pollfd{master, POLLOUT, 0}, pollfd{stop_fd_, POLLIN, 0}};
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return true;
    if (Readable(fds[1])) return false;
  }
  return true;
}

bool SimulatedPanel::WaitUnlessStopped(int ms) {
  if (ms == 0) return true;
  pollfd stop{stop_fd_, POLLIN, 0};
  while (true) {
    const int ready = poll(&stop, 1, ms);
    if (ready < 0 && errno == EINTR) continue;  // a signal shortens the wait; good enough
    return ready == 0;
  }
}

}  // namespace tevral::sim
