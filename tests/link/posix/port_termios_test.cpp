// The termios flags of every line shape the panel's cable may be set to,
// checked without a device (a pseudo-terminal would drop parity and data
// bits other than 8).

#include <gtest/gtest.h>

#include "link/com_types.h"
#include "link/posix/termios_settings.h"

namespace tevral::link::posix {
namespace {

TEST(LineFlags, DataBitsParityAndStopBits) {
  struct Case {
    int data_bits;
    TParity parity;
    TStopBits stop;
    tcflag_t expected;
  };
  const Case cases[] = {
      {8, TParity::paNone, TStopBits::sb1, CS8},
      {7, TParity::paEven, TStopBits::sb1, CS7 | PARENB},
      {7, TParity::paOdd, TStopBits::sb2, CS7 | PARENB | PARODD | CSTOPB},
      {8, TParity::paMark, TStopBits::sb1, CS8 | PARENB | PARODD | CMSPAR},
      {6, TParity::paSpace, TStopBits::sb1, CS6 | PARENB | CMSPAR},
      {5, TParity::paNone, TStopBits::sb1_5, CS5 | CSTOPB},
  };
  const tcflag_t watched = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data_bits * 100 + static_cast<int>(c.parity) * 10 + static_cast<int>(c.stop));
    // Start from a line left in the opposite state, so every flag must be
    // set or cleared on purpose.
    termios settings{};
    settings.c_cflag = CS5 | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;
    settings.c_iflag = IXON | IXOFF | INPCK | ICRNL;
    settings.c_lflag = ICANON | ECHO | ISIG;
    ASSERT_TRUE(ComposeLineSettings({9600, c.data_bits, c.parity, c.stop}, settings));
    EXPECT_EQ(settings.c_cflag & watched, c.expected);
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(settings.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | INPCK | ICRNL), 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_cc[VMIN], 1);
    EXPECT_EQ(settings.c_cc[VTIME], 0);
  }
}

TEST(LineFlags, RatesWithoutAConstantGetAPlaceholder) {
  for (int ordinal = 0; ordinal <= 14; ++ordinal) {
    const uint32_t rate = *BaudRateValue(static_cast<TBaudRate>(ordinal));
    SCOPED_TRACE(rate);
    const bool arbitrary = rate == 14400 || rate == 56000 || rate == 128000 || rate == 256000;
    EXPECT_EQ(StandardSpeed(rate).has_value(), !arbitrary);
    termios settings{};
    ASSERT_TRUE(ComposeLineSettings({rate, 8, TParity::paNone, TStopBits::sb1}, settings));
    EXPECT_EQ(cfgetospeed(&settings), arbitrary ? B38400 : *StandardSpeed(rate));
  }
  EXPECT_EQ(StandardSpeed(115200), B115200);
}

}  // namespace
}  // namespace tevral::link::posix
