#pragma once
// Every read and write of both firmwares begins by asking the panel who it
// is (request body "0039"), quietly: a panel too old to know the request
// does not answer it, which is an outcome, not a failure. A panel that
// answers with the identification code 39 at characters 6-7 is identified
// and its type, software version and build time go into the window
// caption; any other answer, or none, means a panel of limited
// functionality.
//
// Reply positions count from 1, the leading ":" being character 1.

#include <cstddef>
#include <string>
#include <string_view>

#include "configurator/panel_session.h"

namespace tevral {

inline constexpr std::string_view kIdentifyBody = "0039";
inline constexpr std::string_view kIdentificationCode = "39";

inline constexpr std::string_view kLimitedCaption =
    "Тевраль-1/2 GSM GPRS конфігуратор (визначено: обмежена функціональність)";

enum class Identification { kIdentified, kLimited };

// Characters `position` (from 1) to position + length - 1, clipped to the
// reply: a short reply gives a short or empty piece, never a read past it.
std::string_view ReplyPiece(std::string_view reply, std::size_t position, std::size_t length);

// Whether characters 6-7 of the reply are exactly "39".
bool CarriesIdentificationCode(std::string_view reply);

// The caption built from an identification reply. Every pair is shown as
// the panel sent it; pairs missing from a short reply are empty.
std::string IdentificationLine(std::string_view reply);

// Sends the identification request and waits for its reply, reported as
// any exchange is.
void SendIdentificationRequest(link::Exchanges& exchanges);

// The quiet identification request: sets the caption to the
// identification line, or to the limited functionality caption when
// characters 6-7 of the reply are not "39" (no reply at all included).
// Never fails: ExchangeFailed is 0 afterwards either way.
Identification ProbePanelIdentity(PanelSession& session);

}  // namespace tevral
