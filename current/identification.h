#pragma once
// Every read and write begins by asking the panel who it is (request body
// "0039"). A panel that answers with the identification code 39 at
// characters 6-7 is identified and its type, software version and build
// time go into the window caption; any other answer, or none, means a
// panel of limited functionality whose software must be updated. A second
// request then compares the software version with 0x0202.
//
// Reply positions count from 1, the leading ":" being character 1.

#include <string>
#include <string_view>

#include "current/panel_session.h"

namespace tevral {

inline constexpr std::string_view kIdentifyBody = "0039";
inline constexpr std::string_view kIdentificationCode = "39";
// Versions up to and including this one need an update.
inline constexpr int kLastOutdatedVersion = 0x0202;

inline constexpr std::string_view kLimitedCaption =
    "Тевраль-1/2 GSM GPRS конфігуратор (визначено: обмежена функціональність)";
inline constexpr std::string_view kUpdateNotice = "Необхідно оновити програмне забезпечення ППКП!";

enum class Identification { kIdentified, kLimited };
enum class VersionCheck { kContinue, kStop };

// Whether characters 6-7 of the reply are exactly "39".
bool CarriesIdentificationCode(std::string_view reply);

// The caption built from an identification reply. Every pair is shown as
// the panel sent it; pairs missing from a short reply are empty.
std::string IdentificationLine(std::string_view reply);

// Characters 10-13 of a reply read as one hexadecimal number. Throws
// EConvertError for "$" followed by those characters when they are not one.
int FirmwareVersion(std::string_view reply);

// Quiet identification request; sets the caption and, for a panel of
// limited functionality, shows the update notice. Never fails.
Identification IdentifyPanel(PanelSession& session);

// Second identification request, reported on failure (then kStop). Shows
// the update notice for an outdated version. May throw EConvertError.
VersionCheck CheckFirmwareVersion(PanelSession& session);

}  // namespace tevral
