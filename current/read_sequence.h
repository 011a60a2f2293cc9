#pragma once
// Read from the panel: identify it, then fetch every setting with one read
// request each and decode it into its field. The fields fill as the panel
// answers; the first failed exchange ends the read, and then every field
// goes back to what it held before the read began, so a read that breaks
// off never costs the engineer unsaved edits.

#include "configurator/messages.h"
#include "configurator/panel_session.h"

namespace tevral::current {

// Exchanges of a complete read: an identified panel also gives the
// alternate number and the protocol.
inline constexpr int kReadExchangesIdentified = 22;
inline constexpr int kReadExchangesLimited = 20;

// Runs the whole read against session.form. Returns true when it ended
// with the success message; false when an exchange failed (its message has
// been shown, the fields are back as they were). Errors of the port
// (EComPort) and of the number parser (EConvertError), and anything else
// thrown while it runs, put the fields back too and go on to the caller.
bool ReadFromPanel(PanelSession& session);

}  // namespace tevral::current
