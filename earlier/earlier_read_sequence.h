#pragma once
// Read from a panel of the earlier firmware: identify it, then fetch every
// setting with one read request each and decode it into its field. The
// first failed exchange ends the read; what was decoded before it stays,
// and the fields emptied at the start that were not reached stay empty, so
// a broken read cannot pass for a complete one.

#include "configurator/panel_session.h"

namespace tevral::earlier {

// Exchanges of a complete read, identification included: a panel of
// limited functionality is asked only for the settings it shares with the
// full firmware.
inline constexpr int kReadExchangesIdentified = 16;
inline constexpr int kReadExchangesLimited = 10;

inline constexpr const char* kReadSuccessMessage = "Прочитано успішно.";

// Returns true when the read ended with its success message; false when an
// exchange failed (the exchange has shown its message and closed the
// port). An EComPort from the port is thrown to the caller's error box.
bool ReadFromEarlierPanel(PanelSession& session);

}  // namespace tevral::earlier
