#include "configurator/cp1251.h"

#include <gtest/gtest.h>

namespace tevral {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Utf8ToCp1251(Cp1251ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Cp1251, UkrainianLettersAndUndefinedByte) {
  EXPECT_EQ(Cp1251ToUtf8("\xB2\xBF\xAA\xA5"), "ІїЄҐ");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xC2\x98");
  EXPECT_EQ(Utf8ToCp1251("Порт"), std::string("\xCF\xEE\xF0\xF2"));
}

TEST(Cp1251, RefusesWhatHasNoCode) {
  EXPECT_FALSE(Utf8ToCp1251("日本").has_value());
  EXPECT_FALSE(Utf8ToCp1251("\xD0").has_value());      // cut after the lead byte
  EXPECT_FALSE(Utf8ToCp1251("\xE2\x82").has_value());  // cut inside
  EXPECT_FALSE(Utf8ToCp1251("\xFF").has_value());
}

}  // namespace
}  // namespace tevral
