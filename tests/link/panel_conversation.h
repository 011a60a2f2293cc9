#pragma once
// The conversation the exchanges hold with the simulated panel over each
// real transport (a pseudo-terminal on Linux, a COM port under wine):
// identify it, write one byte into bank 0 at 0x0065, read the byte back.

#include <gtest/gtest.h>

#include <string>

#include "link/exchanges.h"
#include "link/tbcomport.h"

namespace tevral::link::testing {

// The time-outs the window gives its port: 1 ms each.
inline TComTimeouts PanelTimeouts() {
  TComTimeouts timeouts;
  timeouts.SetReadInterval(1);
  timeouts.SetReadTotalMultiplier(1);
  timeouts.SetReadTotalConstant(1);
  timeouts.SetWriteTotalMultiplier(1);
  timeouts.SetWriteTotalConstant(1);
  return timeouts;
}

// What every read or write series does before its first request: close the
// port, take the chosen port and speed, open it.
inline void PreparePort(TBComPort& port, const std::string& name) {
  port.Close();
  port.SetPort(name);
  port.SetBaudRate(TBaudRate::br115200);
  port.SetTimeouts(PanelTimeouts());
  port.Open();
}

// The simulated panel's answer to "0039": firmware 03.01 of 12.05.24, full
// functionality.
inline constexpr char kSimulatedIdentity[] = ":000039010301120524104207AD;";

inline void IdentifyWriteAndReadBack(Exchanges& ex) {
  ex.RequestText = "0039";
  ex.ReadExchange();
  EXPECT_EQ(ex.ReplyText, kSimulatedIdentity);

  ex.RequestText = "0002006510";
  ex.FrameRequest();
  ex.WriteExchange();
  EXPECT_EQ(ex.ReplyText, ":0002C2;");

  ex.RequestText = "0001010065";
  ex.ReadExchange();
  EXPECT_EQ(ex.ReplyText, ":0001011083;");
  EXPECT_EQ(ex.ExchangeFailed, 0);
}

}  // namespace tevral::link::testing
