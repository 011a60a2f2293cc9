#include "earlier/earlier_identification.h"

namespace tevral::earlier {

Identification IdentifyEarlierPanel(PanelSession& session) {
  return ProbePanelIdentity(session);
}

bool IdentificationCounted(const PanelSession& session) {
  return session.exchanges.ReplyText.ends_with(';');
}

}  // namespace tevral::earlier
