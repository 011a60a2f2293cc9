// One reply, whatever it holds, given to every decoder of the current
// program as the read sequence gives it, and the results put into the
// headless window: nothing is read beyond the reply or its data, no text is
// longer than the bytes read, and a printable text decodes from its own
// encoding unchanged.
#include <string>

#include "configurator/codecs.h"
#include "configurator/field_table.h"
#include "configurator/memory_area.h"
#include "current/fields.h"
#include "current/memory_map.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/targets/reply_checks.h"

namespace tevral::fuzz {
namespace {

namespace memory = current::memory;

std::string DecodeKeepAliveTextOnly(std::string_view data) {
  return DecodeKeepAliveText(data).text;
}
std::string EncodeKeepAliveTextOnly(std::string_view text) {
  return EncodeKeepAliveText(text, "");
}

bool IsAsciiDigitOrLetter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void DecodeTexts(std::string_view reply, FieldTable& form) {
  const auto number = DecodeDigitBytes(CheckedReplyData(reply, memory::kAlternateNumber));
  CheckDecodedLength(number, memory::kAlternateNumber, "alternate number length");
  form.SetText("AdvEditNomerAlter", number);

  for (const MemoryArea& area : {memory::kAccessPoint1, memory::kAccessPoint2}) {
    const auto point = DecodeText0101(CheckedReplyData(reply, area));
    CheckDecodedLength(point, area, "access point length");
    CheckTextRoundTrip(point, area, EncodeText0101, DecodeText0101, "access point round trip");
    form.SetText("AdvEdit_POINT_1", point);
  }
  for (const auto& slot : memory::ServerSlots()) {
    for (const auto& [area, field] : {std::pair{slot.local_port, slot.local_port_field},
                                      std::pair{slot.server_line, slot.server_line_field}}) {
      const auto text = DecodeText0F(CheckedReplyData(reply, area));
      CheckDecodedLength(text, area, "server slot text length");
      CheckTextRoundTrip(text, area, EncodeText0F, DecodeText0F, "Text0F round trip");
      form.SetText(field, text);
    }
  }
}

void DecodeKeepAlive(std::string_view reply, FieldTable& form) {
  const auto decoded = DecodeKeepAliveText(CheckedReplyData(reply, memory::kKeepAliveText));
  CheckDecodedLength(decoded.text, memory::kKeepAliveText, "keep-alive text length");
  if (decoded.suffix) {
    Expect(decoded.suffix->size() == 2 && PairValue(*decoded.suffix).has_value(),
           "a suffix is one hexadecimal pair");
  }
  // A text whose last character is no digit or letter gives that
  // character up as the suffix when it is read, so only the others return.
  if (decoded.text.empty() || IsAsciiDigitOrLetter(decoded.text.back())) {
    CheckTextRoundTrip(decoded.text, memory::kKeepAliveText, EncodeKeepAliveTextOnly,
                       DecodeKeepAliveTextOnly, "keep-alive text round trip");
  }
  form.SetText("EDIT_Test", decoded.text);
  if (decoded.suffix) form.SetText("AdvEditHeartHexSufix", *decoded.suffix);

  const auto byte = DataPair(CheckedReplyData(reply, memory::kKeepAliveByte), 0);
  if (const auto setting = DecodeKeepAliveByte(byte)) {
    if (setting->period) {
      Expect(*setting->period >= 2 && *setting->period <= 255, "a period is a byte above 01");
      form.SetText("EDIT_TestPer", std::to_string(*setting->period));
    }
    form.SetChecked("CheckEnTst", setting->send_test);
    form.SetChecked("sCheckBoxVerConn", setting->verify_connection);
  }
}

}  // namespace

int FuzzCurrentReply(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::string reply(input.Rest());
  // One window for every input, as the real one lives through many reads;
  // building it anew would cost more than the decoding.
  static FieldTable form(current::CurrentFields());
  DecodeTexts(reply, form);
  DecodeKeepAlive(reply, form);
  DecodeSharedNumbers(reply, {memory::kSchedule, memory::kObjectNumber, memory::kProtocol}, form);
  return 0;
}

}  // namespace tevral::fuzz
