#pragma once
// What every fuzz entry point shares: a way to say that a property broke,
// and a reader that cuts the fuzzer's bytes into the pieces an entry needs.
//
// Under libFuzzer a broken property aborts, which the fuzzer records as a
// crash with the input that caused it. The corpus replay in the regular
// tests installs a handler that throws instead, so one bad seed fails its
// test case with the property's text rather than killing the test program.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tevral::fuzz {

// Called with a description of the broken property; must not return.
using FailureHandler = std::function<void(const std::string& what)>;
void SetFailureHandler(FailureHandler handler);

// Reports `what` through the handler (by default: print and abort) when
// `holds` is false.
void Expect(bool holds, std::string_view what);

// Takes the fuzzer's bytes apart front to back. Every Take is safe at the
// end of the input: it returns what is left, possibly nothing.
class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  uint8_t TakeByte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  bool TakeBool() { return (TakeByte() & 1u) != 0; }
  // Up to `count` bytes.
  std::string_view Take(size_t count) {
    const std::string_view piece = rest_.substr(0, count);
    rest_.remove_prefix(piece.size());
    return piece;
  }
  // A piece whose length is given by the next byte.
  std::string_view TakeSized() { return Take(TakeByte()); }
  // Everything up to the next `separator` (dropped), or to the end.
  std::string_view TakeUntil(char separator) {
    const size_t at = rest_.find(separator);
    const std::string_view piece = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
    return piece;
  }
  std::string_view Rest() {
    const std::string_view piece = rest_;
    rest_ = {};
    return piece;
  }
  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

}  // namespace tevral::fuzz
