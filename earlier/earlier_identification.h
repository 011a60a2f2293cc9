#pragma once
// The earlier program asks the panel who it is once, quietly, at the start
// of every read and write. The answer only sets the caption and chooses
// between the full and the limited list of requests: this firmware has no
// version check and no update notice.

#include "configurator/identification_line.h"
#include "configurator/panel_session.h"

namespace tevral::earlier {

// Sets the caption to the identification line, or to the limited
// functionality caption when characters 6-7 of the reply are not "39".
// When nothing at all came back (kUnanswered) the caption is left alone:
// the sequence takes the limited path and sets the limited caption only
// once the panel has answered a request (ConfirmLimitedPanel). Leaves
// ExchangeFailed at 0 either way.
Identification IdentifyEarlierPanel(PanelSession& session);

// The limited-functionality caption, once an unanswered identification
// has been followed by an answered request.
void ConfirmLimitedPanel(PanelSession& session, Identification identification);

}  // namespace tevral::earlier
