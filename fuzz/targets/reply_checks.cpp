#include "fuzz/targets/reply_checks.h"

#include <algorithm>

#include "configurator/codecs.h"
#include "fuzz/fuzz_check.h"
#include "link/exchanges.h"

namespace tevral::fuzz {

std::string_view CheckedReplyData(std::string_view reply, const MemoryArea& area) {
  const std::string_view data = ReplyData(reply, area.read_bytes);
  Expect(data.size() <= 2u * area.read_bytes, "the data never exceeds the bytes requested");
  if (data.empty()) return data;
  Expect(data.data() == reply.data() + kReplyHeadLength, "the data starts after the head");
  if (reply.ends_with(';')) {
    Expect(kReplyHeadLength + data.size() + 3 <= reply.size(),
           "the data never reaches the checksum pair");
  }
  return data;
}

void CheckDecodedLength(std::string_view text, const MemoryArea& area, std::string_view what) {
  Expect(text.size() <= area.read_bytes, what);
}

void DecodeSharedNumbers(std::string_view reply, const NumberAreas& areas, FieldTable& form) {
  const std::string_view schedule = CheckedReplyData(reply, areas.schedule);
  const char* const fields[] = {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin"};
  for (size_t k = 0; k < 3; ++k) {
    if (const auto text = DecodeDecimalByte(DataPair(schedule, k))) {
      Expect(text->size() >= 2 && text->size() <= 3 &&
                 text->find_first_not_of("0123456789") == std::string::npos,
             "a schedule value is two or three decimal digits");
      form.SetText(fields[k], *text);
    }
  }
  if (const auto object = DecodeHexWord(CheckedReplyData(reply, areas.object))) {
    Expect(object->size() == 4, "an object number is four characters");
    form.SetText("AdvEdit_Object", *object);
  }
  const auto protocol = DataPair(CheckedReplyData(reply, areas.protocol), 0);
  if (const auto index = DecodeProtocolByte(protocol)) {
    Expect(*index == 0 || *index == 1, "a protocol is item 0 or 1");
    form.SetItemIndex("sComboBox_ChProtocol", *index);
  }
}

std::string ReplyCarrying(std::string_view data) {
  const std::string text = "000000" + std::string(data);
  return ":" + text + link::FrameChecksum(text) + ";";
}

void CheckTextRoundTrip(std::string_view text, const MemoryArea& area, TextEncoder encode,
                        TextDecoder decode, std::string_view what) {
  const bool printable = std::none_of(text.begin(), text.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (!printable) return;
  const std::string encoded = encode(text);
  if (encoded.size() > 2u * area.read_bytes) return;
  Expect(decode(ReplyData(ReplyCarrying(encoded), area.read_bytes)) == text, what);
}

}  // namespace tevral::fuzz
