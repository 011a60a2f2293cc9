#pragma once
// Read from the panel: identify it, then fetch every setting with one read
// request each and decode it into its field. The first failed exchange ends
// the read; what was decoded before it stays in the window, and the fields
// emptied at the start that were not reached stay empty, so the user can
// tell a broken read from a complete one.

#include "configurator/panel_session.h"

namespace tevral::current {

// Exchanges of a complete read: an identified panel also gives the
// alternate number and the protocol.
inline constexpr int kReadExchangesIdentified = 22;
inline constexpr int kReadExchangesLimited = 20;

inline constexpr const char* kReadSuccessMessage = "Прочитано успішно.";

// Runs the whole read against session.form. Returns true when it ended
// with the success message; false when an exchange failed (its message has
// been shown). Errors of the port (EComPort) and of the number parser
// (EConvertError) are thrown to the caller's error box.
bool ReadFromPanel(PanelSession& session);

}  // namespace tevral::current
