#include "earlier/earlier_write_sequence.h"

#include <stdexcept>

#include "configurator/codecs.h"
#include "earlier/earlier_codecs.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_identification.h"
#include "earlier/earlier_memory_map.h"
#include "earlier/earlier_write_checks.h"

namespace tevral::earlier {
namespace {

// Values reach the planner only after the checks; one that still does not
// convert means the checks and the encoders disagree.
template <typename T>
T Checked(const std::optional<T>& value, const char* what) {
  if (!value) throw std::logic_error(std::string("unchecked value reached the write: ") + what);
  return *value;
}

uint8_t ByteOf(const Form& form, std::string_view name) {
  return static_cast<uint8_t>(Checked(ByteValue(form.Text(name)), "byte value"));
}

std::string ServerBody(const Form& form, const MemoryArea& area, const ServerFieldNames& server) {
  const ServerEntry entry{form.Text(server.ip), form.Text(server.port), form.Checked(server.dns)};
  return area.WriteBody(Checked(EncodeServerAddress(entry), "server entry"));
}

std::vector<std::string> IdentifiedOnlyBodies(const Form& form) {
  const Transport transport{form.Checked(kServer1Fields.udp), form.Checked(kServer2Fields.udp)};
  return {
      area::kNomerAlter.WriteBody(EncodeDigitBytes(form.Text("AdvEditNomerAlter"))),
      // Only decimal digits pass the checks, so each goes as its code.
      area::kPassword.WriteBody(EncodeText0F(form.Text("AdvEdit_Password"))),
      area::kLocalPort1.WriteBody(EncodeText0F(form.Text(kServer1Fields.local_port))),
      area::kLocalPort2.WriteBody(EncodeText0F(form.Text(kServer2Fields.local_port))),
      area::kTransportFlags.WriteBody(EncodeTransportFlags(transport)),
  };
}

std::string KeepAliveByteBody(const Form& form) {
  const bool verify = form.Checked("sCheckBoxVerConn");
  const bool send = form.Checked("CheckEnTst");
  const uint8_t period = verify && send ? ByteOf(form, "EDIT_TestPer") : 0;
  return area::kKeepAliveByte.WriteBody(EncodeKeepAliveByte(verify, send, period));
}

std::string ObjectBody(const Form& form) {
  const int32_t object = StrToInt("$" + form.Text("AdvEdit_Object"));
  return area::kObject.WriteBody(EncodeHexWord(static_cast<uint16_t>(object)));
}

std::string ScheduleBody(const Form& form) {
  return area::kSchedule.WriteBody(EncodeDecimalByte(ByteOf(form, "AdvEdit_TestPer")) +
                                   EncodeDecimalByte(ByteOf(form, "AdvEdit_TestHou")) +
                                   EncodeDecimalByte(ByteOf(form, "AdvEdit_TestMin")));
}

// The suffix's two hexadecimal digits go into the body as they stand, and
// request bodies are uppercase: "fe" is sent as "FE", the same byte.
std::string SuffixDigits(const Form& form) {
  std::string suffix = form.Text("AdvEditHeartHexSufix");
  for (char& c : suffix) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return suffix;
}

std::vector<std::string> SharedBodies(const Form& form) {
  const int protocol = form.ItemIndex("sComboBox_ChProtocol");
  return {
      area::kProtocol.WriteBody(Checked(EncodeProtocolByte(protocol), "protocol")),
      ObjectBody(form),
      KeepAliveByteBody(form),
      area::kKeepAliveText.WriteBody(
          EncodeKeepAliveText(form.Text("EDIT_Test"), SuffixDigits(form))),
      area::kSurGardPrefix.WriteBody(EncodeText0101(form.Text("EDIT_SurGardPref"))),
      area::kAccessPoint1.WriteBody(EncodeText0101(form.Text(kServer1Fields.point))),
      area::kAccessPoint2.WriteBody(EncodeText0101(form.Text(kServer2Fields.point))),
      ServerBody(form, area::kServer1, kServer1Fields),
      ServerBody(form, area::kServer2, kServer2Fields),
      ScheduleBody(form),
  };
}

std::vector<std::string> EventCodeBodiesFor(const Form& form) {
  if (!form.Checked("sCheckBox_IncCodes")) return {};
  const EventCodeTable* table = EventCodesForProtocol(form.ItemIndex("sComboBox_ChProtocol"));
  return table ? EventCodeBodies(*table) : std::vector<std::string>{};
}

// Frames one body and sends it; true when the panel acknowledged it. On a
// failure the exchange has already closed the port and told the user.
bool Store(PanelSession& session, const std::string& body) {
  session.exchanges.RequestText = body;
  session.exchanges.FrameRequest();
  session.exchanges.WriteExchange();
  return session.exchanges.ExchangeFailed == 0;
}

bool StoreAll(PanelSession& session, const std::vector<std::string>& bodies) {
  for (const std::string& body : bodies) {
    if (!Store(session, body)) return false;
  }
  return true;
}

// The table parts, then, after a pause that lets the panel finish storing
// them, the request that makes the panel take the new codes in.
bool StoreEventCodes(PanelSession& session, const std::vector<std::string>& parts,
                     const link::Pause& pause) {
  session.form.ResetProgress();
  session.form.SetProgressMax(kEventCodeExchanges);
  if (!StoreAll(session, parts)) return false;
  pause(kApplyEventCodesPauseMs);
  return Store(session, std::string(kApplyEventCodesBody));
}

}  // namespace

EarlierWritePlan PlanEarlierWrite(const Form& form) {
  return {IdentifiedOnlyBodies(form), SharedBodies(form), EventCodeBodiesFor(form)};
}

bool WriteToEarlierPanel(PanelSession& session, const link::Pause& pause) {
  Form& form = session.form;
  if (const auto refusal = CheckEarlierWrite(form)) {
    form.ShowMessage(*refusal);
    return false;
  }
  const EarlierWritePlan plan = PlanEarlierWrite(form);

  OpenPanelPort(session);
  form.SetProgressMax(kWriteExchangesIdentified);
  const bool identified = IdentifyEarlierPanel(session) == Identification::kIdentified;
  // From here the bar's maximum is what will really be exchanged.
  const int total = identified ? kWriteExchangesIdentified : kWriteExchangesLimited;
  form.SetProgressMax(total - (IdentificationCounted(session) ? 0 : 1));
  if (identified && !StoreAll(session, plan.identified_only)) return false;
  if (!StoreAll(session, plan.shared)) return false;
  if (!plan.event_codes.empty() && !StoreEventCodes(session, plan.event_codes, pause)) {
    return false;
  }

  form.ResetProgress();
  session.port.Close();
  form.ShowMessage(kWriteSuccessMessage);
  return true;
}

}  // namespace tevral::earlier
