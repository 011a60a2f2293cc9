// One reply, whatever it holds, given to every decoder of the earlier
// program as its read sequence gives it, and the results put into its
// headless window: nothing is read beyond the reply or its data, and no
// text is longer than what the bytes read can give.
#include <string>

#include "configurator/codecs.h"
#include "configurator/field_table.h"
#include "earlier/earlier_codecs.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_memory_map.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/targets/reply_checks.h"

namespace tevral::fuzz {
namespace {

namespace area = earlier::area;

// An IP-form byte reads as up to three decimal digits.
constexpr size_t kLongestDecimalByte = 3;

std::optional<uint8_t> FirstByte(std::string_view reply, const MemoryArea& area) {
  const auto pair = DataPair(CheckedReplyData(reply, area), 0);
  return pair ? PairValue(*pair) : std::nullopt;
}

void DecodeTexts(std::string_view reply, FieldTable& form) {
  const auto number = DecodeDigitBytes(CheckedReplyData(reply, area::kNomerAlter));
  CheckDecodedLength(number, area::kNomerAlter, "alternate number length");
  form.SetText("AdvEditNomerAlter", number);

  for (const auto& [area, field] : {std::pair{area::kPassword, "AdvEdit_Password"},
                                    std::pair{area::kLocalPort1, "AdvEdit_PORT_LOCAL_1"},
                                    std::pair{area::kLocalPort2, "AdvEdit_PORT_LOCAL_2"}}) {
    const auto text = DecodeText0F(CheckedReplyData(reply, area));
    CheckDecodedLength(text, area, "Text0F length");
    form.SetText(field, text);
  }
  for (const auto& [area, field] : {std::pair{area::kSurGardPrefix, "EDIT_SurGardPref"},
                                    std::pair{area::kAccessPoint1, "AdvEdit_POINT_1"},
                                    std::pair{area::kAccessPoint2, "AdvEdit_POINT_2"}}) {
    const auto text = DecodeText0101(CheckedReplyData(reply, area));
    CheckDecodedLength(text, area, "Text0101 length");
    CheckTextRoundTrip(text, area, EncodeText0101, DecodeText0101, "Text0101 round trip");
    form.SetText(field, text);
  }
  const auto keep_alive = DecodeKeepAliveText(CheckedReplyData(reply, area::kKeepAliveText));
  CheckDecodedLength(keep_alive.text, area::kKeepAliveText, "keep-alive text length");
  form.SetText("EDIT_Test", keep_alive.text);
}

void DecodeServers(std::string_view reply, FieldTable& form) {
  for (const auto& [area, ip, port, dns] :
       {std::tuple{area::kServer1, "AdvEdit_IP_1", "AdvEdit_PORT_1", "sCheckBox_DNS_1"},
        std::tuple{area::kServer2, "AdvEdit_IP_2", "AdvEdit_PORT_2", "sCheckBox_DNS_2"}}) {
    const earlier::ServerEntry entry = earlier::DecodeServerAddress(CheckedReplyData(reply, area));
    const size_t longest =
        entry.name_form ? area.read_bytes - 1 : area.read_bytes * kLongestDecimalByte;
    Expect(entry.address.size() + entry.port.size() <= longest,
           "a server entry comes from the bytes read");
    form.SetText(ip, entry.address);
    form.SetText(port, entry.port);
    if (entry.name_form) form.SetChecked(dns, true);
  }
  if (const auto flags = FirstByte(reply, area::kTransportFlags)) {
    const earlier::Transport transport = earlier::DecodeTransportFlags(*flags);
    form.SetChecked(transport.udp1 ? "RadioButton_UDP_1" : "RadioButton_TCP_1", true);
    form.SetChecked(transport.udp2 ? "RadioButton_UDP_2" : "RadioButton_TCP_2", true);
  }
}

void DecodeKeepAliveByte(std::string_view reply, FieldTable& form) {
  if (const auto value = FirstByte(reply, area::kKeepAliveByte)) {
    const earlier::EarlierKeepAlive setting = earlier::DecodeEarlierKeepAlive(*value);
    Expect(setting.period.has_value() == (*value > 1), "only a byte above 01 is a period");
    if (setting.period) form.SetText("EDIT_TestPer", *setting.period);
    form.SetChecked("CheckEnTst", setting.send_test);
    form.SetChecked("sCheckBoxVerConn", setting.verify_connection);
  }
}

}  // namespace

int FuzzEarlierReply(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::string reply(input.Rest());
  // One window for every input, as the real one lives through many reads;
  // building it anew would cost more than the decoding.
  static FieldTable form(earlier::EarlierFields());
  DecodeTexts(reply, form);
  DecodeServers(reply, form);
  DecodeKeepAliveByte(reply, form);
  DecodeSharedNumbers(reply, {area::kSchedule, area::kObject, area::kProtocol}, form);
  return 0;
}

}  // namespace tevral::fuzz
