#pragma once
// Finding the panel's port: the identification request, sent quietly to a
// port, tells whether a panel sits on it and which. Only ever to ports the
// user named or to USB serial adapters: a built-in UART may be a console or
// a modem that a stray frame would disturb. A port another program holds is
// not opened (the exclusive open refuses it) and is reported as such.

#include <string>
#include <vector>

#include "link/port_details.h"

namespace tevral {

struct ProbeOutcome {
  enum class Kind {
    kIdentified,  // answered with the identification code
    kAnswered,    // answered, but not with the code: a panel of limited functionality
    kSilent,      // no answer within the identification attempts
    kNotOpened,   // the port could not be opened (gone, held by another program)
  };
  std::string port;
  Kind kind = Kind::kSilent;
  std::string text;  // UTF-8: the identification line, the caption or the open error
};

// Opens `port` at the speed of index `baud_index`, sends the identification
// request with its usual attempts, quietly, and closes the port again.
ProbeOutcome ProbePort(const std::string& port, int baud_index);

// The ports a probe goes to on its own: the USB adapters among `ports`.
std::vector<std::string> UsbAdapterPorts(const std::vector<link::PortDetails>& ports);

// One line for the port list: device, USB description and serial number,
// driver; "вбудований порт" for a port that is not on USB.
std::string DescribePort(const link::PortDetails& port);

}  // namespace tevral
