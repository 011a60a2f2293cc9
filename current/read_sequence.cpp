#include "current/read_sequence.h"

#include <string>

#include "configurator/codecs.h"
#include "current/identification.h"
#include "current/memory_map.h"

namespace tevral::current {

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

// The fields a read fills from scratch are emptied first: if the read
// breaks off, the ones it did not reach show that they were not read.
void EmptyReadFields(Form& form) {
  form.SetChecked("sCheckBoxVerConn", false);
  form.SetChecked("CheckEnTst", false);
  for (const char* name : {"EDIT_Test", "AdvEditHeartHexSufix", "EDIT_TestPer", "AdvEdit_POINT_1",
                           "AdvEdit_POINT_2", "AdvEditNomerAlter"}) {
    form.SetText(name, "");
  }
}

bool ReadAlternateNumber(PanelSession& session) {
  if (!Fetch(session, memory::kAlternateNumber)) return false;
  session.form.SetText("AdvEditNomerAlter", "");
  session.form.SetText("AdvEditNomerAlter",
                       DecodeDigitBytes(FetchedData(session, memory::kAlternateNumber)));
  return true;
}

bool ReadProtocol(PanelSession& session) {
  if (!Fetch(session, memory::kProtocol)) return false;
  // Any byte but 10 and 20 leaves the selection as it was.
  if (auto index = DecodeProtocolByte(DataPair(FetchedData(session, memory::kProtocol), 0))) {
    session.form.SetItemIndex("sComboBox_ChProtocol", *index);
  }
  return true;
}

bool ReadObjectNumber(PanelSession& session) {
  if (!Fetch(session, memory::kObjectNumber)) return false;
  if (auto text = DecodeHexWord(FetchedData(session, memory::kObjectNumber))) {
    session.form.SetText("AdvEdit_Object", *text);
  }
  return true;
}

bool ReadKeepAliveByte(PanelSession& session) {
  if (!Fetch(session, memory::kKeepAliveByte)) return false;
  auto setting = DecodeKeepAliveByte(DataPair(FetchedData(session, memory::kKeepAliveByte), 0));
  if (setting) {
    session.form.SetChecked("CheckEnTst", setting->send_test);
    session.form.SetChecked("sCheckBoxVerConn", setting->verify_connection);
    if (setting->period) session.form.SetText("EDIT_TestPer", std::to_string(*setting->period));
  }
  return true;
}

bool ReadKeepAliveText(PanelSession& session) {
  if (!Fetch(session, memory::kKeepAliveText)) return false;
  KeepAliveText decoded = DecodeKeepAliveText(FetchedData(session, memory::kKeepAliveText));
  session.form.SetText("EDIT_Test", "");
  session.form.SetText("EDIT_Test", decoded.text);
  if (decoded.suffix) session.form.SetText("AdvEditHeartHexSufix", *decoded.suffix);
  return true;
}

bool ReadAccessPoint(PanelSession& session, const MemoryArea& area, const char* field) {
  if (!Fetch(session, area)) return false;
  session.form.SetText(field, "");
  session.form.SetText(field, DecodeText0101(FetchedData(session, area)));
  return true;
}

bool ReadSchedule(PanelSession& session) {
  if (!Fetch(session, memory::kSchedule)) return false;
  std::string_view data = FetchedData(session, memory::kSchedule);
  const char* const fields[] = {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin"};
  for (std::size_t k = 0; k < 3; ++k) {
    if (auto text = DecodeDecimalByte(DataPair(data, k))) session.form.SetText(fields[k], *text);
  }
  return true;
}

bool ReadText0F(PanelSession& session, const MemoryArea& area, std::string_view field) {
  if (!Fetch(session, area)) return false;
  const std::string name(field);
  session.form.SetText(name, "");
  session.form.SetText(name, DecodeText0F(FetchedData(session, area)));
  return true;
}

bool ReadServerSlots(PanelSession& session) {
  for (const auto& slot : memory::ServerSlots()) {
    if (!ReadText0F(session, slot.local_port, slot.local_port_field)) return false;
  }
  for (const auto& slot : memory::ServerSlots()) {
    if (!ReadText0F(session, slot.server_line, slot.server_line_field)) return false;
  }
  return true;
}

bool ReadSettings(PanelSession& session) {
  return ReadObjectNumber(session) && ReadKeepAliveByte(session) && ReadKeepAliveText(session) &&
         ReadAccessPoint(session, memory::kAccessPoint1, "AdvEdit_POINT_1") &&
         ReadAccessPoint(session, memory::kAccessPoint2, "AdvEdit_POINT_2") &&
         ReadSchedule(session) && ReadServerSlots(session);
}

}  // namespace

bool ReadFromPanel(PanelSession& session) {
  Form& form = session.form;
  OpenPanelPort(session);
  form.SetProgressMax(kReadExchangesIdentified);
  EmptyReadFields(form);

  if (IdentifyPanel(session) == Identification::kIdentified) {
    if (!ReadAlternateNumber(session) || !ReadProtocol(session)) return false;
  } else {
    form.SetProgressMax(kReadExchangesLimited);
  }
  if (CheckFirmwareVersion(session) == VersionCheck::kStop) return false;
  if (!ReadSettings(session)) return false;

  form.ResetProgress();
  session.port.Close();
  form.ShowMessage(kReadSuccessMessage);
  return true;
}

}  // namespace tevral::current
