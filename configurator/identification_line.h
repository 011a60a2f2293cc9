#pragma once
// Every read and write of both firmwares begins by asking the panel who it
// is (request body "0039"), quietly: a panel too old to know the request
// does not answer it, which is an outcome, not a failure. A panel that
// answers with the identification code 39 at characters 6-7 is identified
// and its type, software version and build time go into the window
// caption; any other answer means a panel of limited functionality.
//
// A line with nothing on it is not an old panel: when the request gets no
// answer at all, nothing is said about the panel until it answers a later
// request. If it never does, the user sees the failure checklist alone.
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

// kUnanswered: not a single character came back; the panel is treated as
// one of limited functionality, but the caption (and, for the current
// firmware, the update notice) waits until it has answered a later request.
enum class Identification { kIdentified, kLimited, kUnanswered };

// Characters `position` (from 1) to position + length - 1, clipped to the
// reply: a short reply gives a short or empty piece, never a read past it.
std::string_view ReplyPiece(std::string_view reply, std::size_t position, std::size_t length);

// Whether characters 6-7 of the reply are exactly "39".
bool CarriesIdentificationCode(std::string_view reply);

// The last character the identification line is built from.
inline constexpr std::size_t kIdentificationLineEnd = 25;

// Whether a reply to the identification request (from its ":" to its ";")
// holds what is read from it: a reply with the identification code holds
// every pair of the identification line. A reply without the code is whole
// as it stands, the answer of a panel that does not know the request.
bool WholeIdentificationReply(std::string_view reply);

// Whether the reply identifies the panel: the code and every pair of the
// identification line. A reply that carries the code but lost characters
// identifies nothing; the panel is then taken as of limited functionality.
bool IdentifiesPanel(std::string_view reply);

// The caption built from an identification reply. Every pair is shown as
// the panel sent it; pairs missing from a short reply are empty.
std::string IdentificationLine(std::string_view reply);

// Sends the identification request and waits for a reply that `whole`
// accepts, reported as any exchange is.
void SendIdentificationRequest(link::Exchanges& exchanges,
                               const link::ReplyCheck& whole = WholeIdentificationReply);

// The quiet identification request: sets the caption to the
// identification line, or to the limited functionality caption when the
// reply does not identify the panel; with no reply at all (kUnanswered) it
// leaves the caption alone. Never fails: ExchangeFailed is 0 afterwards
// either way.
Identification ProbePanelIdentity(PanelSession& session);

// The limited functionality caption, once a panel that left the quiet
// request unanswered has answered a later one.
void ShowLimitedCaption(PanelSession& session);

// Whether the quiet identification request moved the progress bar: it
// steps it only when its reply came in whole.
bool IdentificationCounted(const PanelSession& session);

}  // namespace tevral
