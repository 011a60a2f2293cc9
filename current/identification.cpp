#include "current/identification.h"

#include <string>

#include "configurator/codecs.h"

namespace tevral::current {

int FirmwareVersion(std::string_view reply) {
  return StrToInt("$" + std::string(ReplyPiece(reply, 10, 4)));
}

Identification IdentifyPanel(PanelSession& session) {
  const Identification identification = ProbePanelIdentity(session);
  if (identification == Identification::kLimited) {
    session.form.ShowMessage(std::string(kUpdateNotice));
  }
  return identification;
}

VersionCheck CheckFirmwareVersion(PanelSession& session) {
  link::Exchanges& exchanges = session.exchanges;
  SendIdentificationRequest(exchanges);
  if (exchanges.ExchangeFailed != 0) return VersionCheck::kStop;
  if (FirmwareVersion(exchanges.ReplyText) <= kLastOutdatedVersion) {
    session.form.ShowMessage(std::string(kUpdateNotice));
  }
  return VersionCheck::kContinue;
}

}  // namespace tevral::current
