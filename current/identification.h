#pragma once
// The current firmware's identification: the quiet request of both
// programs, then, for a panel of limited functionality, the notice that
// its software must be updated. A second request then compares the
// software version with 0x0202.
//
// Reply positions count from 1, the leading ":" being character 1.

#include <string_view>

#include "configurator/identification_line.h"
#include "configurator/panel_session.h"

namespace tevral::current {

// Versions up to and including this one need an update.
inline constexpr int kLastOutdatedVersion = 0x0202;

inline constexpr std::string_view kUpdateNotice = "Необхідно оновити програмне забезпечення ППКП!";

enum class VersionCheck { kContinue, kStop };

// Characters 10-13 of a reply read as one hexadecimal number. Throws
// EConvertError for "$" followed by those characters when they are not one.
int FirmwareVersion(std::string_view reply);

// Quiet identification request; sets the caption and, for a panel of
// limited functionality, shows the update notice. Never fails.
Identification IdentifyPanel(PanelSession& session);

// Second identification request, reported on failure (then kStop). Shows
// the update notice for an outdated version. May throw EConvertError.
VersionCheck CheckFirmwareVersion(PanelSession& session);

}  // namespace tevral::current
