#pragma once
// Write to a panel of the earlier firmware: check the window's values,
// identify the panel, store every setting with one write request each and,
// when sCheckBox_IncCodes is checked, the event-code table of the selected
// protocol. There is no read-back and no undo, so every request body is
// built, and every value checked, before the port is opened.

#include <string>
#include <vector>

#include "configurator/form.h"
#include "configurator/panel_session.h"
#include "link/exchanges.h"

namespace tevral::earlier {

// Exchanges of a complete write, identification included; the event-code
// phase adds the four table parts and the request that applies them.
inline constexpr int kWriteExchangesIdentified = 16;
inline constexpr int kWriteExchangesLimited = 11;
inline constexpr int kEventCodeExchanges = 5;

inline constexpr const char* kWriteSuccessMessage = "Записано успішно.";

// The write request bodies, in the order they are sent.
struct EarlierWritePlan {
  // Emergency number, password, local ports, transports: only a panel that
  // identifies itself has them.
  std::vector<std::string> identified_only;
  // Protocol, object, keep-alive byte and text, SUR-GARD prefix, access
  // points, servers, test schedule.
  std::vector<std::string> shared;
  // The four table parts; empty when no table goes with the write.
  std::vector<std::string> event_codes;
};

// The bodies for the window's values. Every value must have passed
// CheckEarlierWrite; anything else is a programming error (std::logic_error).
EarlierWritePlan PlanEarlierWrite(const Form& form);

// Returns true when the write ended with its success message; false when a
// check refused a value (its message shown, the port not touched) or an
// exchange failed (its message shown, the port closed). An EComPort from
// the port is thrown to the caller's error box. `pause` waits before the
// request that applies the event codes.
bool WriteToEarlierPanel(PanelSession& session, const link::Pause& pause = link::RealPause());

}  // namespace tevral::earlier
