#include "earlier/earlier_identification.h"

#include <string>

namespace tevral::earlier {

Identification IdentifyEarlierPanel(PanelSession& session) {
  link::Exchanges& exchanges = session.exchanges;
  // A panel too old to know the request does not answer it: an outcome,
  // not a failure, so the request goes out quietly.
  exchanges.QuietFailure = -1;
  exchanges.RequestText = std::string(kIdentifyBody);
  exchanges.ReadExchange();
  exchanges.QuietFailure = 0;
  exchanges.ExchangeFailed = 0;

  if (exchanges.ReplyText.empty()) return Identification::kUnanswered;
  if (!CarriesIdentificationCode(exchanges.ReplyText)) {
    session.form.SetCaption(std::string(kLimitedCaption));
    return Identification::kLimited;
  }
  session.form.SetCaption(IdentificationLine(exchanges.ReplyText));
  return Identification::kIdentified;
}

void ConfirmLimitedPanel(PanelSession& session, Identification identification) {
  if (identification == Identification::kUnanswered) {
    session.form.SetCaption(std::string(kLimitedCaption));
  }
}

}  // namespace tevral::earlier
