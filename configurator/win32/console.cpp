#include <windows.h>

#include <shellapi.h>

#include <streambuf>

#include "configurator/console.h"

namespace tevral {

namespace {

std::string Utf8FromWide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(size - 1));
  return utf8;
}

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

bool Usable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A window program started from a console has no standard handles; it
// borrows the console of the program that started it (cmd.exe, PowerShell)
// and writes there. Done at most once, for both streams.
HANDLE ParentConsoleOutput() {
  static const HANDLE console = [] {
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
      return INVALID_HANDLE_VALUE;  // started from Explorer: no console to write to
    }
    // ERROR_ACCESS_DENIED: the process has a console already.
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
  }();
  return console;
}

// Collects UTF-8 text and hands it over whole lines at a time (and on
// flush), so a character is never split between two writes: to a console
// as UTF-16, to a file or a pipe as the UTF-8 bytes.
class HandleBuffer final : public std::streambuf {
 public:
  explicit HandleBuffer(DWORD standard_handle) : standard_handle_(standard_handle) {}
  ~HandleBuffer() override { sync(); }

 protected:
  int_type overflow(int_type ch) override {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    pending_ += traits_type::to_char_type(ch);
    if (ch == '\n') sync();
    return ch;
  }

  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<size_t>(count));
    if (pending_.find('\n') != std::string::npos) sync();
    return count;
  }

  int sync() override {
    if (pending_.empty()) return 0;
    const bool written = Write(pending_);
    pending_.clear();
    return written ? 0 : -1;
  }

 private:
  HANDLE Target() {
    HANDLE handle = GetStdHandle(standard_handle_);
    return Usable(handle) ? handle : ParentConsoleOutput();
  }

  bool Write(const std::string& text) {
    const HANDLE handle = Target();
    if (!Usable(handle)) return false;
    DWORD mode = 0;
    DWORD done = 0;
    if (GetConsoleMode(handle, &mode)) {
      const std::wstring wide = WideFromUtf8(text);
      return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
    }
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
           done == text.size();
  }

  DWORD standard_handle_;
  std::string pending_;
};

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  if (wide == nullptr) {
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
  }
  for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return args;
}

struct ConsoleStreams::Streams {
  HandleBuffer out_buffer{STD_OUTPUT_HANDLE};
  HandleBuffer err_buffer{STD_ERROR_HANDLE};
  std::ostream out{&out_buffer};
  std::ostream err{&err_buffer};
};

ConsoleStreams::ConsoleStreams() : streams_(std::make_unique<Streams>()) {}

ConsoleStreams::~ConsoleStreams() {
  streams_->out.flush();
  streams_->err.flush();
}

std::ostream& ConsoleStreams::Out() {
  return streams_->out;
}

std::ostream& ConsoleStreams::Err() {
  return streams_->err;
}

}  // namespace tevral
