#include "current/identification.h"

#include "current/codecs.h"
#include "current/cp1251.h"

namespace tevral {

namespace {

// Characters `position` (from 1) to position + length - 1, clipped to the
// reply: a short reply gives a short or empty piece, never a read past it.
std::string_view Piece(std::string_view reply, std::size_t position, std::size_t length) {
  if (position == 0 || position > reply.size()) return {};
  return reply.substr(position - 1, length);
}

// A reply pair for the caption, which is UTF-8: the panel's bytes are
// single-byte text like everything else it sends.
std::string CaptionPiece(std::string_view reply, std::size_t position) {
  return Cp1251ToUtf8(Piece(reply, position, 2));
}

void SendIdentificationRequest(link::Exchanges& exchanges) {
  exchanges.RequestText = std::string(kIdentifyBody);
  exchanges.ReadExchange();
}

}  // namespace

bool CarriesIdentificationCode(std::string_view reply) {
  return Piece(reply, 6, 2) == kIdentificationCode;
}

std::string IdentificationLine(std::string_view reply) {
  std::string line = "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.";
  line += CaptionPiece(reply, 8);
  line += ", v." + CaptionPiece(reply, 10) + "." + CaptionPiece(reply, 12);
  line += " від " + CaptionPiece(reply, 14) + "." + CaptionPiece(reply, 16) + "." +
          CaptionPiece(reply, 18);
  line += " в " + CaptionPiece(reply, 20) + ":" + CaptionPiece(reply, 22) + ":" +
          CaptionPiece(reply, 24);
  line += ")";
  return line;
}

int FirmwareVersion(std::string_view reply) {
  return StrToInt("$" + std::string(Piece(reply, 10, 4)));
}

Identification IdentifyPanel(PanelSession& session) {
  link::Exchanges& exchanges = session.exchanges;
  // Asked quietly: a panel too old to know the request simply does not
  // answer it, which is an outcome, not a failure.
  exchanges.QuietFailure = -1;
  SendIdentificationRequest(exchanges);
  exchanges.QuietFailure = 0;
  exchanges.ExchangeFailed = 0;

  if (exchanges.ReplyText.empty()) return Identification::kUnanswered;
  if (!CarriesIdentificationCode(exchanges.ReplyText)) {
    ShowLimitedPanel(session);
    return Identification::kLimited;
  }
  session.form.SetCaption(IdentificationLine(exchanges.ReplyText));
  return Identification::kIdentified;
}

void ShowLimitedPanel(PanelSession& session) {
  session.form.SetCaption(std::string(kLimitedCaption));
  session.form.ShowMessage(std::string(kUpdateNotice));
}

VersionCheck CheckFirmwareVersion(PanelSession& session, Identification first) {
  link::Exchanges& exchanges = session.exchanges;
  SendIdentificationRequest(exchanges);
  if (exchanges.ExchangeFailed != 0) return VersionCheck::kStop;
  if (first == Identification::kUnanswered) ShowLimitedPanel(session);
  if (FirmwareVersion(exchanges.ReplyText) <= kLastOutdatedVersion) {
    session.form.ShowMessage(std::string(kUpdateNotice));
  }
  return VersionCheck::kContinue;
}

bool IdentificationCounted(const PanelSession& session) {
  return session.exchanges.ReplyText.ends_with(';');
}

}  // namespace tevral
