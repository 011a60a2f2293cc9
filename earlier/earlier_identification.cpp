#include "earlier/earlier_identification.h"

namespace tevral::earlier {

Identification IdentifyEarlierPanel(PanelSession& session) {
  return ProbePanelIdentity(session);
}

void ConfirmLimitedPanel(PanelSession& session, Identification identification) {
  if (identification == Identification::kUnanswered) ShowLimitedCaption(session);
}

}  // namespace tevral::earlier
