#include "sim/simulated_panel.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

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
  thread_ = std::thread([this] { Serve(); });
}

void SimulatedPanel::Stop() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  // An eventfd write of 1 cannot fail short of a counter overflow.
  [[maybe_unused]] const ssize_t written = write(stop_fd_, &one, sizeof one);
  thread_.join();
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
    // The slave end is held open by the terminal, so a hang-up or error here
    // means the line is broken; stop listening rather than spin on it.
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
  RequestRecord record{frame, parts.checksum_ok, false, {}};
  record.reply = ReplyTo(parts, faults, identity);
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
  if (record.answered) SendReply(record.reply, faults);
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
  if (faults.drop_final_semicolon) reply->pop_back();
  std::lock_guard lock(mutex_);
  ++answers_sent_;
  return faults.garbage_before + *reply;
}

void SimulatedPanel::SendReply(const std::string& reply, const PanelFaults& faults) {
  if (!WaitUnlessStopped(faults.reply_delay_ms)) return;
  if (faults.split_gap_ms <= 0 || reply.size() < 2) {
    WriteAll(reply);
    return;
  }
  size_t first = faults.split_at == 0 ? reply.size() / 2 : faults.split_at;
  if (first > reply.size()) first = reply.size();
  if (!WriteAll(reply.substr(0, first))) return;
  if (!WaitUnlessStopped(faults.split_gap_ms)) return;
  WriteAll(reply.substr(first));
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
