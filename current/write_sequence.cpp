#include "current/write_sequence.h"

#include <cctype>
#include <string>
#include <vector>

#include "configurator/codecs.h"
#include "current/identification.h"
#include "current/memory_map.h"

namespace tevral::current {

namespace {

// ---- Checks made before the port is opened ---------------------------------

struct LengthRule {
  const char* field;
  std::size_t min;
  std::size_t max;
  const char* message;
};

// The panel's own limits on the texts it keeps with a terminator.
constexpr LengthRule kLengthRules[] = {
    {"AdvEdit_POINT_1", 1, 22, "Невідповідність кількості знаків в полі \"Точка доступу 1\""},
    {"AdvEdit_POINT_2", 1, 22, "Невідповідність кількості знаків в полі \"Точка доступу 2\""},
    {"EDIT_Test", 1, 11,
     "Невідповідність кількості знаків в полі \"Передачі для підтримки GPRS сесії\""},
};

constexpr std::size_t kAlternateNumberMaxLength = 16;
constexpr const char* kScheduleFields[] = {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin"};

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// "SIM 1, сервер 2" for slot 1: how the window's two group boxes and three
// lines name a server slot.
std::string SlotName(int slot) {
  return "SIM " + std::to_string(slot / 3 + 1) + ", сервер " + std::to_string(slot % 3 + 1);
}

std::optional<std::string> CheckAlternateNumber(const Form& form) {
  // Each character becomes "0" + the character in the body, so anything but
  // a digit or "A" would put a non-hexadecimal byte on the wire, and more
  // than 16 digits would run past the number's place.
  const std::string number = form.Text("AdvEditNomerAlter");
  bool valid = number.size() <= kAlternateNumberMaxLength;
  for (char c : number) valid = valid && ((c >= '0' && c <= '9') || c == 'A');
  if (valid) return std::nullopt;
  return "Невідповідність знаків в полі \"Номер аварійної передачі\": допускається до 16 цифр "
         "0-9 та \"A\"";
}

std::optional<std::string> CheckProtocol(const Form& form) {
  if (EncodeProtocolByte(form.ItemIndex("sComboBox_ChProtocol"))) return std::nullopt;
  return "Не вибрано протокол в полі \"Протокол\"";
}

std::optional<std::string> CheckObjectNumber(const Form& form) {
  const std::string text = form.Text("AdvEdit_Object");
  if (text.empty()) return "Не введено номер в полі \"Об'єкт №\"";
  const int32_t value = StrToInt("$" + text);
  if (value < 0 || value > 0xFFFF) {
    return "Номер в полі \"Об'єкт №\" повинен мати не більше 4 шістнадцяткових цифр";
  }
  return std::nullopt;
}

std::optional<std::string> CheckKeepAlivePeriod(const Form& form) {
  // Converted whatever the boxes say, as the write always did; only the
  // periods 0 and 1 depend on them, because they are sent only when both
  // boxes are checked and then would read back as the two special codes.
  const int32_t period = StrToInt(form.Text("EDIT_TestPer"));
  const bool sent = form.Checked("sCheckBoxVerConn") && form.Checked("CheckEnTst");
  if (sent && period >= 0 && period <= 1) {
    return "Значення в полі \"Період\" повинно бути від 2 до 255";
  }
  if (period < 0 || period > 255) return "Значення в полі \"Період\" повинно бути від 0 до 255";
  return std::nullopt;
}

std::optional<std::string> CheckSuffix(const Form& form) {
  // Two characters go into the body as one byte; one or none add nothing.
  const std::string suffix = form.Text("AdvEditHeartHexSufix");
  if (suffix.size() <= 1 ||
      (suffix.size() == 2 && IsHexDigit(suffix[0]) && IsHexDigit(suffix[1]))) {
    return std::nullopt;
  }
  return "Суфікс в полі \"$\" повинен бути порожнім, одним знаком або двома шістнадцятковими "
         "цифрами";
}

std::optional<std::string> CheckServerSlots(const Form& form) {
  // Six records of 48 bytes lie side by side: a longer text would overwrite
  // the next record.
  const auto& slots = memory::ServerSlots();
  for (int i = 0; i < memory::kServerSlotCount; ++i) {
    if (form.Text(slots[i].local_port_field).size() > memory::kLocalPortMaxLength) {
      return "Невідповідність кількості знаків в полі \"Локальний порт\" (" + SlotName(i) +
             "): не більше 5";
    }
  }
  for (int i = 0; i < memory::kServerSlotCount; ++i) {
    if (form.Text(slots[i].server_line_field).size() > memory::kServerLineMaxLength) {
      return "Невідповідність кількості знаків в рядку сервера (" + SlotName(i) + "): не більше 41";
    }
  }
  return std::nullopt;
}

std::optional<std::string> CheckSchedule(const Form& form) {
  for (const char* field : kScheduleFields) {
    const int32_t value = StrToInt(form.Text(field));
    if (value < 0 || value > 255) {
      return "Значення в полі \"Передача тестів повідомленням\" повинно бути від 0 до 255";
    }
  }
  return std::nullopt;
}

// ---- Bodies -------------------------------------------------------------------

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

uint8_t ByteValue(const Form& form, const char* field) {
  return static_cast<uint8_t>(StrToInt(form.Text(field)));
}

std::string AlternateNumberBody(const Form& form) {
  return memory::kAlternateNumber.WriteBody(EncodeDigitBytes(form.Text("AdvEditNomerAlter")));
}

std::string ScheduleBody(const Form& form) {
  std::string data;
  for (const char* field : kScheduleFields) data += EncodeDecimalByte(ByteValue(form, field));
  return memory::kSchedule.WriteBody(data);
}

// Bodies of the steps that follow the version check, in order. Built only
// after the checks have passed, so every conversion here succeeds.
std::vector<std::string> SettingBodies(const Form& form) {
  std::vector<std::string> bodies;
  bodies.push_back(
      memory::kProtocol.WriteBody(*EncodeProtocolByte(form.ItemIndex("sComboBox_ChProtocol"))));
  bodies.push_back(memory::kObjectNumber.WriteBody(
      EncodeHexWord(static_cast<uint16_t>(StrToInt("$" + form.Text("AdvEdit_Object"))))));
  bodies.push_back(memory::kKeepAliveByte.WriteBody(
      EncodeKeepAliveByte(form.Checked("sCheckBoxVerConn"), form.Checked("CheckEnTst"),
                          ByteValue(form, "EDIT_TestPer"))));
  // The suffix goes into the body as it stands; upper case keeps the body
  // uppercase hexadecimal like every other.
  bodies.push_back(memory::kKeepAliveText.WriteBody(
      EncodeKeepAliveText(form.Text("EDIT_Test"), UpperCase(form.Text("AdvEditHeartHexSufix")))));
  bodies.push_back(memory::kSurGardPrefix.WriteBody(EncodeText0101(memory::kSurGardPrefixText)));
  const std::string access_point_1 =
      memory::kAccessPoint1.WriteBody(EncodeText0101(form.Text("AdvEdit_POINT_1")));
  const std::string access_point_2 =
      memory::kAccessPoint2.WriteBody(EncodeText0101(form.Text("AdvEdit_POINT_2")));
  bodies.push_back(access_point_1);
  bodies.push_back(access_point_2);
  for (const auto& slot : memory::ServerSlots()) {
    bodies.push_back(slot.local_port.WriteBody(EncodeText0F(form.Text(slot.local_port_field))));
  }
  for (const auto& slot : memory::ServerSlots()) {
    bodies.push_back(slot.server_line.WriteBody(EncodeText0F(form.Text(slot.server_line_field))));
  }
  // The access point names go a second time, after the bank 1 records, and
  // the test schedule last, as the panel has always been written.
  bodies.push_back(access_point_1);
  bodies.push_back(access_point_2);
  bodies.push_back(ScheduleBody(form));
  return bodies;
}

// ---- Exchanges ------------------------------------------------------------------

bool Store(PanelSession& session, const std::string& body) {
  session.exchanges.RequestText = body;
  session.exchanges.FrameRequest();
  session.exchanges.WriteExchange();
  return session.exchanges.ExchangeFailed == 0;
}

}  // namespace

std::optional<std::string> FindWriteRefusal(const Form& form) {
  for (const LengthRule& rule : kLengthRules) {
    const std::size_t length = form.Text(rule.field).size();
    if (length < rule.min || length > rule.max) return std::string(rule.message);
  }
  using Check = std::optional<std::string> (*)(const Form&);
  // In the order the write would meet the values.
  for (Check check : {CheckAlternateNumber, CheckProtocol, CheckObjectNumber, CheckKeepAlivePeriod,
                      CheckSuffix, CheckServerSlots, CheckSchedule}) {
    if (auto refusal = check(form)) return refusal;
  }
  return std::nullopt;
}

bool WriteToPanel(PanelSession& session) {
  Form& form = session.form;
  if (auto refusal = FindWriteRefusal(form)) {
    form.ShowMessage(*refusal);
    return false;
  }
  const std::string alternate_number = AlternateNumberBody(form);
  const std::vector<std::string> settings = SettingBodies(form);

  OpenPanelPort(session);
  form.SetProgressMax(kWriteExchangesIdentified);
  if (IdentifyPanel(session) == Identification::kIdentified) {
    if (!Store(session, alternate_number)) return false;
  } else {
    form.SetProgressMax(kWriteExchangesLimited);
  }
  if (CheckFirmwareVersion(session) == VersionCheck::kStop) return false;
  for (const std::string& body : settings) {
    if (!Store(session, body)) return false;
  }

  form.ResetProgress();
  session.port.Close();
  form.ShowMessage(kWriteSuccessMessage);
  return true;
}

}  // namespace tevral::current
