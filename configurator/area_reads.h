#pragma once
// Reading one stored item of the panel's memory during a read sequence:
// the request of the item's area, and the data pairs of its reply.

#include <string_view>

#include "configurator/memory_area.h"
#include "configurator/panel_session.h"

namespace tevral {

// Sends the read request of `area`; true when the panel answered. On a
// failure the exchange has already closed the port and told the user.
bool Fetch(PanelSession& session, const MemoryArea& area);

// The data pairs of the last reply, as many as `area` asks for and never
// the checksum pair or the final ";".
std::string_view FetchedData(const PanelSession& session, const MemoryArea& area);

}  // namespace tevral
