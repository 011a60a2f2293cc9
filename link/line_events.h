#pragma once
// The vocabulary of serial line events: the events an open port watches,
// the line errors it reports, and the flag values the drivers use for them.
// The flag values are those of the Win32 communications interface, so the
// Win32 back end passes them through unchanged and every other back end
// speaks the same numbers.

#include <array>
#include <cstdint>
#include <initializer_list>

namespace tevral::link {

// A small set over an enumeration whose ordinals are 0 to 31.
template <typename Enum>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<Enum> members) {
    for (Enum member : members) Insert(member);
  }

  constexpr bool Contains(Enum member) const { return (bits_ & Bit(member)) != 0; }
  constexpr void Insert(Enum member) { bits_ |= Bit(member); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const EnumSet&) const = default;

 private:
  static constexpr uint32_t Bit(Enum member) {
    return uint32_t{1} << static_cast<uint32_t>(member);
  }
  uint32_t bits_ = 0;
};

// Platform event flags (EV_*).
namespace line_event {
inline constexpr uint32_t kRxChar = 0x0001;    // a character was received
inline constexpr uint32_t kTxEmpty = 0x0004;   // the last character left the output queue
inline constexpr uint32_t kCts = 0x0008;       // CTS changed
inline constexpr uint32_t kDsr = 0x0010;       // DSR changed
inline constexpr uint32_t kRlsd = 0x0020;      // RLSD (carrier detect) changed
inline constexpr uint32_t kError = 0x0080;     // a line-status error: frame, overrun, parity
inline constexpr uint32_t kRing = 0x0100;      // the ring indicator
inline constexpr uint32_t kRx80Full = 0x0400;  // the input queue is 80% full
}  // namespace line_event

// Platform error-state bits (CE_*), as reading and clearing the error state
// returns them.
namespace line_error {
inline constexpr uint32_t kRxOver = 0x0001;    // the input queue overflowed
inline constexpr uint32_t kOverrun = 0x0002;   // a character was lost in the hardware
inline constexpr uint32_t kRxParity = 0x0004;  // parity error
inline constexpr uint32_t kFrame = 0x0008;     // framing error
inline constexpr uint32_t kBreak = 0x0010;     // a break on the line
inline constexpr uint32_t kTxFull = 0x0100;    // the output queue was full
inline constexpr uint32_t kIoe = 0x0400;       // an I/O error talking to the device
inline constexpr uint32_t kMode = 0x8000;      // the requested mode is not supported
}  // namespace line_error

// The line events a port can watch. The ordinals are only set positions;
// the platform flags are given by EventFlag.
enum class TComEvent { evRxChar, evTxEmpty, evCTS, evDSR, evRLSD, evError, evRing, evRx80Full };
using TComEvents = EnumSet<TComEvent>;

// The order in which the events of one wait are handled: errors first, so
// a handler of received characters already knows the line was damaged.
inline constexpr std::array<TComEvent, 8> kLineEventOrder = {
    TComEvent::evError, TComEvent::evRxChar, TComEvent::evTxEmpty, TComEvent::evRing,
    TComEvent::evCTS,   TComEvent::evDSR,    TComEvent::evRLSD,    TComEvent::evRx80Full};

inline constexpr TComEvents kAllLineEvents = {
    TComEvent::evRxChar, TComEvent::evTxEmpty, TComEvent::evCTS,  TComEvent::evDSR,
    TComEvent::evRLSD,   TComEvent::evError,   TComEvent::evRing, TComEvent::evRx80Full};

uint32_t EventFlag(TComEvent event);
// The mask handed to the device: 0x05BD for all eight.
uint32_t EventMask(TComEvents events);
// The watched events among the flags a wait reported; unknown flags are dropped.
TComEvents EventsFromFlags(uint32_t flags);

// Line errors reported to OnError.
enum class TComError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
using TComErrors = EnumSet<TComError>;

// The error set of an error state read from the device. Parity errors count
// only when the port checks parity: without it the bit means nothing.
TComErrors ComErrorsFrom(uint32_t error_bits, bool parity_checked);

// Priority of the event thread. The port keeps it at tpNormal.
enum class TThreadPriority {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};

}  // namespace tevral::link
