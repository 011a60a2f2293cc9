#pragma once
// Built programs run as real processes: panel-sim in the background with
// its standard output read line by line through a pipe, and the
// configurator's command line run to its end. No fixed sleeps: a line is
// awaited with poll() under a generous bound, an exit with waitpid().

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tevral::tools_test {

inline std::vector<char*> ArgumentVector(const std::string& program,
                                         std::vector<std::string>& args) {
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return argv;
}

// Waits for pid to end; its exit status, or 128 + the signal that ended it.
inline int WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// A program in the background whose standard output is a pipe to us and
// whose standard error goes to a file.
class BackgroundProcess {
 public:
  BackgroundProcess(const std::string& program, std::vector<std::string> args,
                    const std::filesystem::path& error_file) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    std::vector<char*> argv = ArgumentVector(program, args);
    const std::string error_path = error_file.string();
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      const int err = open(error_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err >= 0) dup2(err, STDERR_FILENO);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    if (pid_ < 0) {
      close(out[0]);
      throw std::runtime_error("fork");
    }
    out_fd_ = out[0];
  }
  ~BackgroundProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      WaitForExit(pid_);
    }
    if (out_fd_ >= 0) close(out_fd_);
  }
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  pid_t Pid() const { return pid_; }

  // The next line of its standard output without the line end; nothing
  // when the output ends or no line comes in time.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
      const size_t end = buffer_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd p{out_fd_, POLLIN, 0};
      const int ready = poll(&p, 1, static_cast<int>(left.count()));
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0) return std::nullopt;
      char chunk[4096];
      const ssize_t n = read(out_fd_, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

  // Sends sig and waits for the process to end; its exit status.
  int Stop(int sig) {
    kill(pid_, sig);
    const int status = WaitForExit(pid_);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int out_fd_ = -1;
  std::string buffer_;
};

struct Finished {
  int status = -1;
  std::string output;  // standard output and standard error together
};

// Runs a program to its end with no input.
inline Finished RunToEnd(const std::string& program, std::vector<std::string> args,
                         const std::filesystem::path& output_file) {
  std::vector<char*> argv = ArgumentVector(program, args);
  const std::string output_path = output_file.string();
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int none = open("/dev/null", O_RDONLY);
    if (out >= 0) {
      dup2(out, STDOUT_FILENO);
      dup2(out, STDERR_FILENO);
    }
    if (none >= 0) dup2(none, STDIN_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid < 0) throw std::runtime_error("fork");
  Finished finished;
  finished.status = WaitForExit(pid);
  std::ifstream in(output_file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  finished.output = text.str();
  return finished;
}

}  // namespace tevral::tools_test
