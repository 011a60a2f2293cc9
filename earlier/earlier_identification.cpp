#include "earlier/earlier_identification.h"

namespace tevral::earlier {

Identification IdentifyEarlierPanel(PanelSession& session) {
  return ProbePanelIdentity(session);
}

bool IdentificationCounted(const PanelSession& session) {
  return link::FindWholeReply(session.exchanges.ReplyText, WholeIdentificationReply).has_value();
}

}  // namespace tevral::earlier
