#include "earlier/earlier_write_checks.h"

#include "link/hex_digits.h"

#include <algorithm>
#include <string_view>

#include "configurator/codecs.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_memory_map.h"

namespace tevral::earlier {
namespace {

using Message = std::optional<std::string>;

// A server entry holds at most 26 bytes: address and port of 23 characters
// together, with the separator and terminator bytes.
constexpr size_t kServerEntryMaxChars = 23;
constexpr size_t kAccessPointMaxChars = 22;
constexpr size_t kKeepAliveTextMaxChars = 11;
constexpr size_t kObjectMaxDigits = 4;

// The keep-alive bytes 00 and 01 mean "off", so a period that is sent must
// be at least 2.
constexpr int kSmallestPeriod = 2;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return link::HexDigitValue(c).has_value();
}
bool IsPhoneDigit(char c) {
  return IsDigit(c) || c == 'A';
}
bool IsIpChar(char c) {
  return IsDigit(c) || c == '.';
}

template <typename Pred>
bool AllOf(std::string_view text, Pred pred) {
  return std::all_of(text.begin(), text.end(), pred);
}

bool IsNumber(std::string_view text) {
  return !text.empty() && AllOf(text, IsDigit);
}

// Original length checks: server entries, access points, keep-alive text.
Message CheckServerLength(const Form& form, const ServerFieldNames& server, const char* message) {
  const size_t total = form.Text(server.ip).size() + form.Text(server.port).size();
  if (total == 0 || total > kServerEntryMaxChars || form.Text(server.ip).empty()) return message;
  return std::nullopt;
}

Message CheckLength(const Form& form, std::string_view name, size_t most, const char* message) {
  const size_t length = form.Text(name).size();
  if (length == 0 || length > most) return message;
  return std::nullopt;
}

Message CheckDigitText(const Form& form, std::string_view name, size_t most, const char* chars,
                       const char* length) {
  const std::string text = form.Text(name);
  if (!AllOf(text, IsDigit)) return chars;
  if (text.size() > most) return length;
  return std::nullopt;
}

// The texts the panel keeps as they are typed (a domain name included): a
// control character would read back as their end, or as the end of the
// server entry.
Message CheckControlCharacters(const Form& form) {
  const std::pair<std::string_view, const char*> texts[] = {
      {kServer1Fields.point, "в полі \"Точка доступу 1\""},
      {kServer2Fields.point, "в полі \"Точка доступу 2\""},
      {"EDIT_Test", "в полі \"Передачі для підтримки GPRS сесії\""},
      {"EDIT_SurGardPref", "в полі \"Префікс SUR-GARD\""},
      {kServer1Fields.ip, "в полі \"IP-адреса 1\""},
      {kServer2Fields.ip, "в полі \"IP-адреса 2\""},
  };
  for (const auto& [field, where] : texts) {
    if (const auto code = FirstControlCharacter(form.Text(field))) {
      return ControlCharacterRefusal(where, *code);
    }
  }
  return std::nullopt;
}

Message CheckNomerAlter(const Form& form) {
  const std::string text = form.Text("AdvEditNomerAlter");
  if (!AllOf(text, IsPhoneDigit)) return write_check::kNomerAlterChars;
  if (text.size() > area::kNomerAlterMaxDigits) return write_check::kNomerAlterLength;
  return std::nullopt;
}

Message CheckProtocol(const Form& form) {
  const int item = form.ItemIndex("sComboBox_ChProtocol");
  if (item != kSurGardItem && item != kSos112Item) return write_check::kProtocol;
  return std::nullopt;
}

Message CheckObject(const Form& form) {
  const std::string text = form.Text("AdvEdit_Object");
  if (text.empty() || text.size() > kObjectMaxDigits) return write_check::kObjectLength;
  if (!AllOf(text, IsHexDigit)) return write_check::kObjectChars;
  return std::nullopt;
}

// The period is converted even when the two boxes keep it from being sent,
// so it must always be a number; its range matters only when it is sent.
Message CheckKeepAlivePeriod(const Form& form) {
  const std::string text = form.Text("EDIT_TestPer");
  if (!IsNumber(text)) return write_check::kPeriodChars;
  if (form.Checked("sCheckBoxVerConn") && form.Checked("CheckEnTst")) {
    const auto value = ByteValue(text);
    if (!value || *value < kSmallestPeriod) return write_check::kPeriodRange;
  }
  return std::nullopt;
}

// Two characters go into the request as they stand, so they must be
// hexadecimal digits; one character or none adds nothing.
Message CheckSuffix(const Form& form) {
  const std::string text = form.Text("AdvEditHeartHexSufix");
  if (text.size() <= 1) return std::nullopt;
  if (text.size() == 2 && AllOf(text, IsHexDigit)) return std::nullopt;
  return write_check::kSuffix;
}

Message CheckSurGardPrefix(const Form& form) {
  if (form.Text("EDIT_SurGardPref").size() > area::kSurGardPrefixMaxChars) {
    return write_check::kSurGardPrefixLength;
  }
  return std::nullopt;
}

Message CheckServerChars(const Form& form, const ServerFieldNames& server, const char* ip_chars,
                         const char* port_chars) {
  if (!form.Checked(server.dns) && !AllOf(form.Text(server.ip), IsIpChar)) return ip_chars;
  if (!AllOf(form.Text(server.port), IsDigit)) return port_chars;
  return std::nullopt;
}

Message CheckSchedule(const Form& form) {
  for (std::string_view name : {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin"}) {
    const std::string text = form.Text(name);
    if (!IsNumber(text)) return write_check::kScheduleChars;
    if (!ByteValue(text)) return write_check::kScheduleRange;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> ByteValue(const std::string& text) {
  if (!IsNumber(text)) return std::nullopt;
  int value = 0;
  for (char c : text) {
    value = value * 10 + (c - '0');
    if (value > 255) return std::nullopt;
  }
  return value;
}

std::optional<std::string> CheckEarlierWrite(const Form& form) {
  using namespace write_check;
  const auto& s1 = kServer1Fields;
  const auto& s2 = kServer2Fields;
  const Message checks[] = {
      CheckServerLength(form, s1, kIp1),
      CheckServerLength(form, s2, kIp2),
      CheckLength(form, s1.point, kAccessPointMaxChars, kPoint1),
      CheckLength(form, s2.point, kAccessPointMaxChars, kPoint2),
      CheckLength(form, "EDIT_Test", kKeepAliveTextMaxChars, kKeepAliveText),
      CheckControlCharacters(form),
      CheckNomerAlter(form),
      CheckDigitText(form, "AdvEdit_Password", area::kPasswordMaxDigits, kPasswordChars,
                     kPasswordLength),
      CheckDigitText(form, s1.local_port, area::kLocalPortMaxDigits, kLocalPort1Chars,
                     kLocalPort1Length),
      CheckDigitText(form, s2.local_port, area::kLocalPortMaxDigits, kLocalPort2Chars,
                     kLocalPort2Length),
      CheckProtocol(form),
      CheckObject(form),
      CheckKeepAlivePeriod(form),
      CheckSuffix(form),
      CheckSurGardPrefix(form),
      CheckServerChars(form, s1, kIp1Chars, kPort1Chars),
      CheckServerChars(form, s2, kIp2Chars, kPort2Chars),
      CheckSchedule(form),
  };
  for (const Message& message : checks) {
    if (message) return message;
  }
  return std::nullopt;
}

}  // namespace tevral::earlier
