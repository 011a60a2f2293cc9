#include "link/line_events.h"

namespace tevral::link {

uint32_t EventFlag(TComEvent event) {
  switch (event) {
    case TComEvent::evRxChar:
      return line_event::kRxChar;
    case TComEvent::evTxEmpty:
      return line_event::kTxEmpty;
    case TComEvent::evCTS:
      return line_event::kCts;
    case TComEvent::evDSR:
      return line_event::kDsr;
    case TComEvent::evRLSD:
      return line_event::kRlsd;
    case TComEvent::evError:
      return line_event::kError;
    case TComEvent::evRing:
      return line_event::kRing;
    case TComEvent::evRx80Full:
      return line_event::kRx80Full;
  }
  return 0;
}

uint32_t EventMask(TComEvents events) {
  uint32_t mask = 0;
  for (TComEvent event : kLineEventOrder) {
    if (events.Contains(event)) mask |= EventFlag(event);
  }
  return mask;
}

TComEvents EventsFromFlags(uint32_t flags) {
  TComEvents events;
  for (TComEvent event : kLineEventOrder) {
    if ((flags & EventFlag(event)) != 0) events.Insert(event);
  }
  return events;
}

TComErrors ComErrorsFrom(uint32_t error_bits, bool parity_checked) {
  struct Mapping {
    uint32_t bit;
    TComError error;
  };
  static constexpr Mapping kMappings[] = {
      {line_error::kFrame, TComError::ceFrame},     {line_error::kRxParity, TComError::ceRxParity},
      {line_error::kOverrun, TComError::ceOverrun}, {line_error::kBreak, TComError::ceBreak},
      {line_error::kIoe, TComError::ceIO},          {line_error::kMode, TComError::ceMode},
      {line_error::kRxOver, TComError::ceRxOver},   {line_error::kTxFull, TComError::ceTxFull},
  };
  TComErrors errors;
  for (const Mapping& mapping : kMappings) {
    if ((error_bits & mapping.bit) == 0) continue;
    if (mapping.error == TComError::ceRxParity && !parity_checked) continue;
    errors.Insert(mapping.error);
  }
  return errors;
}

}  // namespace tevral::link
