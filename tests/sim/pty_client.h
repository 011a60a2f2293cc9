#pragma once
// The configurator's end of a simulated panel's line, reduced to raw
// descriptors, for testing the panel without the port component.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace tevral::sim::testing {

class PtyClient {
 public:
  explicit PtyClient(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {}
  ~PtyClient() {
    if (fd_ >= 0) close(fd_);
  }
  PtyClient(const PtyClient&) = delete;
  PtyClient& operator=(const PtyClient&) = delete;

  bool ok() const { return fd_ >= 0; }

  void Send(const std::string& text) const {
    size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = write(fd_, text.data() + done, text.size() - done);
      if (n <= 0) return;
      done += static_cast<size_t>(n);
    }
  }

  // Reads until the text ends with its `replies`-th ";" or until `wait`
  // passes without it.
  std::string ReceiveReply(std::chrono::milliseconds wait = std::chrono::seconds(5),
                           size_t replies = 1) const {
    return ReceiveUntil(
        [replies](const std::string& s) {
          return !s.empty() && s.back() == ';' &&
                 static_cast<size_t>(std::count(s.begin(), s.end(), ';')) >= replies;
        },
        wait);
  }

  // Whatever arrives within `wait` (reads until that much time has passed).
  std::string ReceiveFor(std::chrono::milliseconds wait) const {
    return ReceiveUntil([](const std::string&) { return false; }, wait);
  }

  // Reads what is there now or the first piece that arrives within `wait`.
  std::string ReceiveFirstPiece(std::chrono::milliseconds wait = std::chrono::seconds(5)) const {
    return ReceiveUntil([](const std::string& s) { return !s.empty(); }, wait);
  }

 private:
  template <typename Done>
  std::string ReceiveUntil(Done done, std::chrono::milliseconds wait) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    std::string text;
    while (!done(text)) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
      char buffer[512];
      const ssize_t n = read(fd_, buffer, sizeof buffer);
      if (n <= 0) break;
      text.append(buffer, static_cast<size_t>(n));
    }
    return text;
  }

  int fd_;
};

}  // namespace tevral::sim::testing
