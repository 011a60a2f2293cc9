#pragma once
// The earlier program asks the panel who it is once, quietly, at the start
// of every read and write. The answer only sets the caption and chooses
// between the full and the limited list of requests: this firmware has no
// version check and no update notice.

#include "configurator/identification_line.h"
#include "configurator/panel_session.h"

namespace tevral::earlier {

// Sets the caption to the identification line, or to the limited
// functionality caption when characters 6-7 of the reply are not "39" (no
// reply at all included). Leaves ExchangeFailed at 0 either way.
Identification IdentifyEarlierPanel(PanelSession& session);

// Whether the identification request moved the progress bar: a quiet
// exchange steps it only when its reply came in whole.
bool IdentificationCounted(const PanelSession& session);

}  // namespace tevral::earlier
