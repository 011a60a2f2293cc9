#include "configurator/identification_line.h"

#include "configurator/cp1251.h"

namespace tevral {

namespace {

// A reply pair for the caption, which is UTF-8: the panel's bytes are
// single-byte text like everything else it sends.
std::string CaptionPiece(std::string_view reply, std::size_t position) {
  return Cp1251ToUtf8(ReplyPiece(reply, position, 2));
}

}  // namespace

std::string_view ReplyPiece(std::string_view reply, std::size_t position, std::size_t length) {
  if (position == 0 || position > reply.size()) return {};
  return reply.substr(position - 1, length);
}

bool CarriesIdentificationCode(std::string_view reply) {
  return ReplyPiece(reply, 6, 2) == kIdentificationCode;
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

void SendIdentificationRequest(link::Exchanges& exchanges) {
  exchanges.RequestText = std::string(kIdentifyBody);
  exchanges.ReadExchange();
}

Identification ProbePanelIdentity(PanelSession& session) {
  link::Exchanges& exchanges = session.exchanges;
  exchanges.QuietFailure = -1;
  SendIdentificationRequest(exchanges);
  exchanges.QuietFailure = 0;
  exchanges.ExchangeFailed = 0;

  if (!CarriesIdentificationCode(exchanges.ReplyText)) {
    session.form.SetCaption(std::string(kLimitedCaption));
    return Identification::kLimited;
  }
  session.form.SetCaption(IdentificationLine(exchanges.ReplyText));
  return Identification::kIdentified;
}

}  // namespace tevral
