#pragma once
// The port operations the exchanges need. TBComPort implements them
// over a real device; tests may implement them in process to run the
// five-attempt failure paths in virtual time.

#include <cstdint>
#include <string>

namespace tevral::link {

class SerialLine {
 public:
  virtual ~SerialLine() = default;
  // Writes every byte of text; returns the count written (short only when
  // the write time-out cut it).
  virtual int32_t SendText(const std::string& text) = 0;
  // Reads up to count bytes under the read time-outs; text holds exactly
  // what arrived. Returns that count (0 when nothing came).
  virtual int32_t ReceiveText(std::string& text, int32_t count) = 0;
  // Characters that have arrived and wait to be received.
  virtual int32_t QueuedInputCount() = 0;
  virtual bool Close() = 0;
};

}  // namespace tevral::link
