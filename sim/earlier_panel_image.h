#pragma once
// A panel of the earlier firmware as it might come from the installer: its
// identification and the settings in its memory layout (two servers by IP
// address or domain name, password, local ports, transport flags, SUR-GARD
// prefix). The earlier program's tests and demo serve it.

#include "sim/panel_memory.h"
#include "sim/panel_protocol.h"

namespace tevral::sim {

// Type 01, software 01.05 of 14.02.11 10:30:00.
PanelIdentity EarlierPanelIdentity();

// Writes the settings below over `memory`; the rest is left as it was.
//   bank 1: emergency number "0A380" at 0x0000, password "739164825073916"
//           at 0x0010, local ports "3030" and "4040" at 0x0070 and 0x0079;
//   bank 0: keep-alive "t" with suffix 14 at 0x0015, keep-alive byte 28
//           (period 40) at 0x0060, protocol 10 (SUR-GARD) at 0x0065,
//           server 1 127.0.0.1:3030 (IP form) at 0x0066, server 2
//           mon.example.ua:7779 (name form) at 0x0086, schedule 24 14 17 at
//           0x00A0, access points "www.kyivstar.net" and "www.umc.ua" at
//           0x00D0 and 0x00E8, transport flags 02 (server 2 UDP) at 0x0109,
//           SUR-GARD prefix "5000 18" at 0x0170, object 1234 at 0x0200.
void WriteEarlierPanelImage(PanelMemory& memory);

}  // namespace tevral::sim
