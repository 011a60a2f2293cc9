#pragma once
// Write to the panel: check the window's values, identify the panel, then
// store every setting with one write request each. There is no read-back
// and no undo, so everything the write would convert, or that would not
// fit its place in the panel's memory, is checked before the port is even
// opened: a refused value never leaves the panel half written.

#include <optional>
#include <string>

#include "configurator/panel_session.h"

namespace tevral::current {

// Exchanges of a complete write: an identified panel also gets the
// alternate number.
inline constexpr int kWriteExchangesIdentified = 25;
inline constexpr int kWriteExchangesLimited = 24;

inline constexpr const char* kWriteSuccessMessage = "Записано успішно.";

// The message for the first value the write refuses, or nothing when all
// of them can be written. Throws EConvertError for a number that does not
// convert ("'%s' is not a valid integer value"); an object number is read
// as hexadecimal, so its text is "$" + the field's text.
std::optional<std::string> FindWriteRefusal(const Form& form);

// Runs the whole write from session.form. Returns true when it ended with
// the success message; false when a value was refused (its message has been
// shown and the port was not touched) or an exchange failed. Errors of the
// port (EComPort) and of the number parser (EConvertError, before the port
// is opened) are thrown to the caller's error box.
bool WriteToPanel(PanelSession& session);

}  // namespace tevral::current
