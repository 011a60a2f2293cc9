// The identification reply as the panel (or noise) sends it: the code test,
// the caption line and the version number read only the characters they
// are meant to, never past the reply, and whatever the bytes the caption
// is valid UTF-8 and the version a 16-bit number or the number error.
#include <string>

#include "configurator/codecs.h"
#include "configurator/cp1251.h"
#include "configurator/identification_line.h"
#include "current/identification.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"

namespace tevral::fuzz {
namespace {

// The last reply character the caption shows (the seconds pair).
constexpr size_t kLastCaptionCharacter = 25;
// The last character of the version number.
constexpr size_t kLastVersionCharacter = 13;

std::optional<int> VersionOrNothing(std::string_view reply) {
  try {
    return current::FirmwareVersion(reply);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

void CheckCaption(std::string_view reply) {
  const std::string line = IdentificationLine(reply);
  Expect(Utf8ToCp1251(line).has_value(), "the caption is valid UTF-8 of code page 1251");
  Expect(line.ends_with(")"), "the caption ends with \")\"");
  Expect(line == IdentificationLine(reply.substr(0, kLastCaptionCharacter)),
         "the caption shows nothing after the seconds pair");
}

void CheckVersion(std::string_view reply) {
  const auto version = VersionOrNothing(reply);
  if (version) Expect(*version >= 0 && *version <= 0xFFFF, "a version is four hex digits at most");
  Expect(version == VersionOrNothing(reply.substr(0, kLastVersionCharacter)),
         "the version rests on characters 10-13 alone");
}

void CheckCode(std::string_view reply) {
  const bool expected = reply.size() >= 7 && reply.substr(5, 2) == "39";
  Expect(CarriesIdentificationCode(reply) == expected, "the code is characters 6-7 alone");
}

void CheckCodePage(std::string_view bytes) {
  const std::string utf8 = Cp1251ToUtf8(bytes);
  const auto back = Utf8ToCp1251(utf8);
  Expect(back && *back == bytes, "every byte of code page 1251 survives a round trip");
  // Arbitrary bytes taken as UTF-8 either convert or are refused.
  if (const auto converted = Utf8ToCp1251(bytes)) {
    Expect(Cp1251ToUtf8(*converted) == bytes, "a converted text converts back");
  }
}

}  // namespace

int FuzzIdentification(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::string reply(input.Rest());
  CheckCode(reply);
  CheckCaption(reply);
  CheckVersion(reply);
  CheckCodePage(reply);
  return 0;
}

}  // namespace tevral::fuzz
