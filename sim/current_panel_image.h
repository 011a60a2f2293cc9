#pragma once
// A panel of the current firmware as an installer might leave it: a
// configured object, two SIM cards with their access points and servers,
// a test schedule and the GPRS keep-alive. The demo port and the panel-sim
// tool start from it, so a first read shows a plausible configuration.

#include "sim/panel_memory.h"
#include "sim/panel_protocol.h"

namespace tevral::sim {

// Type 01, software 03.01 of 12.05.24 10:42:07: new enough that no update
// notice appears.
PanelIdentity CurrentPanelIdentity();

// Writes the settings below over `memory`; the rest is left as it was.
//   bank 1: alternate number "0442001122" at 0x0000; six server records of
//           48 bytes from 0x00A0, each a local port and a server line:
//           SIM 1: 3030 "TCP",192.0.2.10:3035; 3031 "UDP",mon.example.ua:7779;
//                  3032 and no server;
//           SIM 2: 3033 "TCP",198.51.100.7:3035; 3034 "UDP",mon.example.ua:7779;
//                  3035 and no server;
//   bank 0: keep-alive "t" with suffix 14 at 0x0015, keep-alive byte 0C
//           (check, transmissions every 12 x 5 s) at 0x0060, protocol 10
//           (SUR-GARD) at 0x0065, schedule 24 09 30 at 0x00A0, access points
//           "www.kyivstar.net" and "internet" at 0x00D0 and 0x00E8,
//           SUR-GARD prefix "5000 18" at 0x0170, object 1234 at 0x0200.
void WriteCurrentPanelImage(PanelMemory& memory);

}  // namespace tevral::sim
