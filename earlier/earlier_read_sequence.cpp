#include "earlier/earlier_read_sequence.h"

#include <string>

#include "configurator/codecs.h"
#include "earlier/earlier_codecs.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_identification.h"
#include "earlier/earlier_memory_map.h"

namespace tevral::earlier {
namespace {

// Sends the read request of `area`; true when the panel answered. On a
// failure the exchange has already closed the port and told the user.
bool Fetch(PanelSession& session, const MemoryArea& area) {
  session.exchanges.RequestText = area.ReadBody();
  session.exchanges.ReadExchange();
  return session.exchanges.ExchangeFailed == 0;
}

std::string_view FetchedData(const PanelSession& session, const MemoryArea& area) {
  return ReplyData(session.exchanges.ReplyText, area.read_bytes);
}

std::optional<uint8_t> FetchedByte(const PanelSession& session, const MemoryArea& area) {
  const auto pair = DataPair(FetchedData(session, area), 0);
  return pair ? PairValue(*pair) : std::nullopt;
}

// The fields a read fills from scratch are emptied first: if the read
// breaks off, the ones it did not reach show that they were not read. The
// password, local ports, transports, protocol, object number and schedule
// keep their values until their own step.
void EmptyReadFields(Form& form) {
  form.SetChecked("sCheckBoxVerConn", false);
  form.SetChecked("CheckEnTst", false);
  for (const char* name :
       {"EDIT_Test", "AdvEditHeartHexSufix", "EDIT_TestPer", "EDIT_SurGardPref"}) {
    form.SetText(name, "");
  }
  for (const ServerFieldNames* server : {&kServer1Fields, &kServer2Fields}) {
    form.SetText(server->ip, "");
    form.SetText(server->port, "");
    form.SetText(server->point, "");
    form.SetChecked(server->dns, false);
  }
  form.SetText("AdvEditNomerAlter", "");
}

bool ReadNomerAlter(PanelSession& session) {
  if (!Fetch(session, area::kNomerAlter)) return false;
  session.form.SetText("AdvEditNomerAlter",
                       DecodeDigitBytes(FetchedData(session, area::kNomerAlter)));
  return true;
}

bool ReadProtocol(PanelSession& session) {
  if (!Fetch(session, area::kProtocol)) return false;
  // Any byte but 10 and 20 leaves the selection as it was.
  if (auto index = DecodeProtocolByte(DataPair(FetchedData(session, area::kProtocol), 0))) {
    session.form.SetItemIndex("sComboBox_ChProtocol", *index);
  }
  return true;
}

bool ReadText0F(PanelSession& session, const MemoryArea& area, std::string_view field) {
  if (!Fetch(session, area)) return false;
  session.form.SetText(field, "");
  session.form.SetText(field, DecodeText0F(FetchedData(session, area)));
  return true;
}

bool ReadTransports(PanelSession& session) {
  if (!Fetch(session, area::kTransportFlags)) return false;
  const auto flags = FetchedByte(session, area::kTransportFlags);
  if (!flags) return true;
  const Transport transport = DecodeTransportFlags(*flags);
  Form& form = session.form;
  for (const ServerFieldNames* server : {&kServer1Fields, &kServer2Fields}) {
    form.SetChecked(server->tcp, false);
    form.SetChecked(server->udp, false);
  }
  form.SetChecked(transport.udp1 ? kServer1Fields.udp : kServer1Fields.tcp, true);
  form.SetChecked(transport.udp2 ? kServer2Fields.udp : kServer2Fields.tcp, true);
  return true;
}

bool ReadIdentifiedOnly(PanelSession& session) {
  return ReadNomerAlter(session) && ReadProtocol(session) &&
         ReadText0F(session, area::kPassword, "AdvEdit_Password") &&
         ReadText0F(session, area::kLocalPort1, kServer1Fields.local_port) &&
         ReadText0F(session, area::kLocalPort2, kServer2Fields.local_port) &&
         ReadTransports(session);
}

bool ReadObject(PanelSession& session) {
  if (!Fetch(session, area::kObject)) return false;
  if (auto text = DecodeHexWord(FetchedData(session, area::kObject))) {
    session.form.SetText("AdvEdit_Object", *text);
  }
  return true;
}

// Both boxes are checked first; the byte then takes back what it says is
// off. 00 and 01 leave the period field empty.
bool ReadKeepAliveByte(PanelSession& session) {
  if (!Fetch(session, area::kKeepAliveByte)) return false;
  Form& form = session.form;
  form.SetChecked("CheckEnTst", true);
  form.SetChecked("sCheckBoxVerConn", true);
  if (const auto value = FetchedByte(session, area::kKeepAliveByte)) {
    const EarlierKeepAlive setting = DecodeEarlierKeepAlive(*value);
    form.SetChecked("CheckEnTst", setting.send_test);
    form.SetChecked("sCheckBoxVerConn", setting.verify_connection);
    if (setting.period) form.SetText("EDIT_TestPer", *setting.period);
  }
  return true;
}

bool ReadKeepAliveText(PanelSession& session) {
  if (!Fetch(session, area::kKeepAliveText)) return false;
  const KeepAliveText decoded = DecodeKeepAliveText(FetchedData(session, area::kKeepAliveText));
  session.form.SetText("EDIT_Test", decoded.text);
  if (decoded.suffix) session.form.SetText("AdvEditHeartHexSufix", *decoded.suffix);
  return true;
}

bool ReadText0101(PanelSession& session, const MemoryArea& area, std::string_view field) {
  if (!Fetch(session, area)) return false;
  session.form.SetText(field, DecodeText0101(FetchedData(session, area)));
  return true;
}

bool ReadServer(PanelSession& session, const MemoryArea& area, const ServerFieldNames& server) {
  if (!Fetch(session, area)) return false;
  const ServerEntry entry = DecodeServerAddress(FetchedData(session, area));
  session.form.SetText(server.ip, entry.address);
  session.form.SetText(server.port, entry.port);
  if (entry.name_form) session.form.SetChecked(server.dns, true);
  return true;
}

bool ReadSchedule(PanelSession& session) {
  if (!Fetch(session, area::kSchedule)) return false;
  const std::string_view data = FetchedData(session, area::kSchedule);
  const char* const fields[] = {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin"};
  for (size_t k = 0; k < 3; ++k) {
    if (auto text = DecodeDecimalByte(DataPair(data, k))) session.form.SetText(fields[k], *text);
  }
  return true;
}

bool ReadShared(PanelSession& session) {
  return ReadObject(session) && ReadKeepAliveByte(session) && ReadKeepAliveText(session) &&
         ReadText0101(session, area::kSurGardPrefix, "EDIT_SurGardPref") &&
         ReadText0101(session, area::kAccessPoint1, kServer1Fields.point) &&
         ReadText0101(session, area::kAccessPoint2, kServer2Fields.point) &&
         ReadServer(session, area::kServer1, kServer1Fields) &&
         ReadServer(session, area::kServer2, kServer2Fields) && ReadSchedule(session);
}

}  // namespace

bool ReadFromEarlierPanel(PanelSession& session) {
  Form& form = session.form;
  OpenPanelPort(session);
  form.SetProgressMax(kReadExchangesIdentified);
  EmptyReadFields(form);

  const bool identified = IdentifyEarlierPanel(session) == Identification::kIdentified;
  // From here the bar's maximum is what will really be exchanged.
  const int total = identified ? kReadExchangesIdentified : kReadExchangesLimited;
  form.SetProgressMax(total - (IdentificationCounted(session) ? 0 : 1));
  if (identified && !ReadIdentifiedOnly(session)) return false;
  if (!ReadShared(session)) return false;

  form.ResetProgress();
  session.port.Close();
  form.ShowMessage(kReadSuccessMessage);
  return true;
}

}  // namespace tevral::earlier
