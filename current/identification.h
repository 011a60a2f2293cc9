#pragma once
// Every read and write begins by asking the panel who it is (request body
// "0039"). A panel that answers with the identification code 39 at
// characters 6-7 is identified and its type, software version and build
// time go into the window caption; any other answer means a panel of
// limited functionality whose software must be updated. A second request
// then compares the software version with 0x0202.
//
// A line with nothing on it is not an old panel: when the first request
// gets no answer at all, nothing is said about the panel until it answers
// something. If it never does, the user sees the failure checklist alone.
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

// kUnanswered: not a single character came back; the panel is treated as
// one of limited functionality, but the caption and the notice wait until
// it has answered a later request.
enum class Identification { kIdentified, kLimited, kUnanswered };
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
// limited functionality, shows the update notice. For kUnanswered it does
// neither. Never fails.
Identification IdentifyPanel(PanelSession& session);

// The limited-functionality caption and the update notice, for a panel
// that did not answer the first request but answered a later one.
void ShowLimitedPanel(PanelSession& session);

// Second identification request, reported on failure (then kStop). After
// a first request that got nothing (`first` kUnanswered), an answer here
// is the first sign of a panel: the limited caption and notice come now.
// Shows the update notice for an outdated version. May throw
// EConvertError.
VersionCheck CheckFirmwareVersion(PanelSession& session, Identification first);

// Whether the quiet identification request moved the progress bar: it
// steps it only when its reply came in whole.
bool IdentificationCounted(const PanelSession& session);

}  // namespace tevral
