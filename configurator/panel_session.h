#pragma once
// What a read or write sequence works with: the form that holds the values
// (the Qt window, or the headless field table of the command line and the
// tests), the serial port, and the exchanges over that port. The
// sequences are written once against this and run the same everywhere.

#include "configurator/form.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"

namespace tevral {

struct PanelSession {
  Form& form;
  link::TBComPort& port;
  link::Exchanges& exchanges;
};

// The time-outs the panel link runs with: a receive ends 1 ms after the
// last character or 1 ms x count + 1 ms after it started, so an attempt
// takes what the panel sent during the 100 ms pause and its continuation.
inline void ApplyPanelTimeouts(link::TBComPort& port) {
  link::TComTimeouts timeouts;
  timeouts.SetReadInterval(1);
  timeouts.SetReadTotalMultiplier(1);
  timeouts.SetReadTotalConstant(1);
  timeouts.SetWriteTotalMultiplier(1);
  timeouts.SetWriteTotalConstant(1);
  port.SetTimeouts(timeouts);
}

// Every series starts the same way: close the port (an earlier series that
// ended through an error may have left it open), take the port name and the
// speed from the connection selectors, open it. An error opening it is an
// EComPort for the caller's error box.
inline void OpenPanelPort(PanelSession& session) {
  session.port.Close();
  session.port.SetPort(session.form.Text("cbPort"));
  session.port.SetBaudRate(static_cast<link::TBaudRate>(session.form.ItemIndex("cbBaudRate")));
  session.port.Open();
}

}  // namespace tevral
