#pragma once
// Read from a panel of the earlier firmware: identify it, then fetch every
// setting with one read request each and decode it into its field. The
// fields fill as the panel answers; the first failed exchange ends the
// read, and then every field goes back to what it held before the read
// began, so a read that breaks off never costs the engineer unsaved edits.

#include "configurator/messages.h"
#include "configurator/panel_session.h"

namespace tevral::earlier {

// Exchanges of a complete read, identification included: a panel of
// limited functionality is asked only for the settings it shares with the
// full firmware.
inline constexpr int kReadExchangesIdentified = 16;
inline constexpr int kReadExchangesLimited = 10;

// Returns true when the read ended with its success message; false when an
// exchange failed (the exchange has shown its message and closed the
// port; the fields are back as they were). An EComPort from the port, or
// anything else thrown, puts the fields back too and goes on to the caller.
bool ReadFromEarlierPanel(PanelSession& session);

}  // namespace tevral::earlier
