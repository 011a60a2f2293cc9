// TBComPort over a real pseudo-terminal: the POSIX back end, its line
// settings, its time-outs and its exclusive access, exercised end to end.

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "link/posix/arbitrary_rate.h"
#include "link/tbcomport.h"
#include "tests/link/posix/port_pty.h"

namespace tevral::link {
namespace {

using std::chrono::milliseconds;
using testing::PseudoTerminal;
using testing::SlaveView;
using Clock = std::chrono::steady_clock;

// The time-outs of the main window's port: a 1 ms gap ends a reply, and a
// read of N gives up after N + 1 ms.
void UseWindowTimeouts(TBComPort& port) {
  TComTimeouts t;
  t.SetReadInterval(1);
  t.SetReadTotalMultiplier(1);
  t.SetReadTotalConstant(1);
  t.SetWriteTotalMultiplier(1);
  t.SetWriteTotalConstant(1);
  port.SetTimeouts(t);
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EComPort& error) {
    return error.what();
  }
  return "(nothing raised)";
}

class PortOverPty : public ::testing::Test {
 protected:
  PortOverPty() { port.SetPort(pty.SlavePath()); }

  milliseconds Elapsed(Clock::time_point since) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - since);
  }

  PseudoTerminal pty;
  TBComPort port;
};

TEST_F(PortOverPty, OpenAndCloseAreIdempotent) {
  EXPECT_TRUE(port.Open());
  EXPECT_TRUE(port.IsOpen());
  EXPECT_TRUE(port.Open());
  EXPECT_TRUE(port.IsOpen());
  EXPECT_TRUE(port.Close());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(port.Close());
  // Closed means released: the same component opens it again.
  EXPECT_TRUE(port.Open());
}

TEST_F(PortOverPty, OpenSetsARawLineWithTheChosenSpeed) {
  port.SetBaudRate(TBaudRate::br115200);
  port.Open();
  SlaveView view(pty.SlavePath());
  termios settings{};
  ASSERT_EQ(tcgetattr(view.Fd(), &settings), 0);
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL | INPCK), 0u);
  EXPECT_EQ(settings.c_oflag & OPOST, 0u);
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(settings.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(posix::CurrentRate(view.Fd()), 115200u);
}

// Every speed of the speed box reaches the line, the four without a termios
// constant included; a change while open takes effect at once.
TEST_F(PortOverPty, EverySpeedReachesTheLineWhileOpen) {
  port.Open();
  SlaveView view(pty.SlavePath());
  for (int ordinal = 0; ordinal <= 14; ++ordinal) {
    const auto rate = static_cast<TBaudRate>(ordinal);
    SCOPED_TRACE(ordinal);
    port.SetBaudRate(rate);
    EXPECT_EQ(posix::CurrentRate(view.Fd()), BaudRateValue(rate));
  }
}

TEST_F(PortOverPty, SpeedSetWhileClosedWaitsForOpen) {
  port.Open();
  port.Close();
  SlaveView view(pty.SlavePath());
  port.SetBaudRate(TBaudRate::br57600);
  EXPECT_EQ(posix::CurrentRate(view.Fd()), 9600u);
  port.Open();
  EXPECT_EQ(posix::CurrentRate(view.Fd()), 57600u);
}

// A pseudo-terminal carries 8 data bits without parity only; stop bits
// reach it, and what it cannot carry is refused like any setting the line
// refuses, leaving the port open on its last good settings.
TEST_F(PortOverPty, LineShapeReachesTheLineOrIsRefused) {
  port.Open();
  SlaveView view(pty.SlavePath());
  termios settings{};
  port.SetStopBits(TStopBits::sb2);
  ASSERT_EQ(tcgetattr(view.Fd(), &settings), 0);
  EXPECT_EQ(settings.c_cflag & (CSIZE | CSTOPB | PARENB), static_cast<tcflag_t>(CS8 | CSTOPB));

  EXPECT_EQ(MessageOf([&] { port.SetParity(TParity::paEven); }), com_message::kSetCommState);
  EXPECT_EQ(port.Parity(), TParity::paEven);
  EXPECT_TRUE(port.IsOpen());
  ASSERT_EQ(tcgetattr(view.Fd(), &settings), 0);
  EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB), static_cast<tcflag_t>(CS8));
}

// The speed box gives -1 when nothing is selected; that speed has no rate.
TEST_F(PortOverPty, SpeedOutsideTheTableIsRefusedAtOpen) {
  port.SetBaudRate(static_cast<TBaudRate>(-1));
  EXPECT_EQ(MessageOf([&] { port.Open(); }), com_message::kSetCommState);
  EXPECT_FALSE(port.IsOpen());
  // Nothing is left held: a valid speed opens the same port.
  port.SetBaudRate(TBaudRate::br9600);
  EXPECT_TRUE(port.Open());
}

TEST_F(PortOverPty, PortNameIsRefusedWhileOpenEvenWhenUnchanged) {
  port.Open();
  const std::string name = port.Port();
  EXPECT_EQ(MessageOf([&] { port.SetPort(name); }), com_message::kPropertyWhileOpen);
  EXPECT_EQ(MessageOf([&] { port.SetSyncMethod(TSyncMethod::smNone); }),
            com_message::kPropertyWhileOpen);
  port.SetSyncMethod(port.SyncMethod());  // the same value is accepted
  EXPECT_EQ(port.Port(), name);
  port.Close();
  port.SetPort("elsewhere");
  EXPECT_EQ(port.Port(), "elsewhere");
}

TEST_F(PortOverPty, SendTextHandsEveryByteToTheLine) {
  port.Open();
  const std::string request = ":0039D3;\x01\xff";
  EXPECT_EQ(port.SendText(request), static_cast<int32_t>(request.size()));
  EXPECT_EQ(pty.Collect(request.size(), milliseconds(2000)), request);
}

TEST_F(PortOverPty, SendTextOfNothingWritesNothing) {
  port.Open();
  EXPECT_EQ(port.SendText(""), 0);
  port.SendText("X");
  // The first byte the far end sees is the marker sent after the empty text.
  EXPECT_EQ(pty.Collect(1, milliseconds(2000)), "X");
}

// Nobody reads the far end, so the driver's queue fills; the write limit
// (multiplier x length + constant) then ends the write short, without error.
TEST_F(PortOverPty, WriteLimitCutsAStalledWriteShort) {
  TComTimeouts t;
  t.SetWriteTotalMultiplier(0);
  t.SetWriteTotalConstant(200);
  port.SetTimeouts(t);
  port.Open();
  const std::string flood(1 << 20, 'A');
  const auto start = Clock::now();
  const int32_t written = port.SendText(flood);
  EXPECT_GT(written, 0);
  EXPECT_LT(written, static_cast<int32_t>(flood.size()));
  EXPECT_GE(Elapsed(start), milliseconds(190));
  EXPECT_LT(Elapsed(start), milliseconds(3000));
}

TEST_F(PortOverPty, ReceiveTextTakesQueuedCharactersAtOnce) {
  UseWindowTimeouts(port);
  port.Timeouts().SetReadTotalConstant(3000);  // waiting out the total would show
  port.Open();
  SlaveView view(pty.SlavePath());
  const std::string reply = ":00391234567890ABCDEF;";
  pty.Send(reply);
  ASSERT_TRUE(view.AwaitInput());
  EXPECT_EQ(port.QueuedInputCount(), static_cast<int32_t>(reply.size()));

  std::string text = "old content";
  const auto start = Clock::now();
  EXPECT_EQ(port.ReceiveText(text, 400), static_cast<int32_t>(reply.size()));
  EXPECT_LT(Elapsed(start), milliseconds(1500));
  EXPECT_EQ(text, reply);
  EXPECT_EQ(port.QueuedInputCount(), 0);
}

TEST_F(PortOverPty, ReceiveTextStopsAtTheCountAndLeavesTheRestQueued) {
  port.Open();
  SlaveView view(pty.SlavePath());
  pty.Send("ABCDEFGH");
  ASSERT_TRUE(view.AwaitInput());
  std::string text;
  EXPECT_EQ(port.ReceiveText(text, 3), 3);
  EXPECT_EQ(text, "ABC");
  EXPECT_EQ(port.ReceiveText(text, 100), 5);
  EXPECT_EQ(text, "DEFGH");
}

// A gap longer than ReadInterval after the first characters ends the read
// with what has come; the rest waits for the next read.
TEST_F(PortOverPty, AGapLongerThanTheIntervalEndsTheRead) {
  TComTimeouts t;
  t.SetReadInterval(30);
  t.SetReadTotalConstant(5000);
  port.SetTimeouts(t);
  port.Open();
  SlaveView view(pty.SlavePath());
  pty.Send("ABC");
  ASSERT_TRUE(view.AwaitInput());
  std::thread late_part([this] {
    std::this_thread::sleep_for(milliseconds(200));  // the gap itself
    pty.Send("DEF");
  });
  std::string text;
  port.ReceiveText(text, 6);
  late_part.join();
  EXPECT_EQ(text, "ABC");
  ASSERT_TRUE(view.AwaitInput());
  port.ReceiveText(text, 6);
  EXPECT_EQ(text, "DEF");
}

// The defaults (ReadInterval -1, both totals 0) never wait.
TEST_F(PortOverPty, MaximumIntervalWithoutTotalsReturnsAtOnce) {
  port.Open();
  std::string text = "stale";
  const auto start = Clock::now();
  EXPECT_EQ(port.ReceiveText(text, 400), 0);
  EXPECT_LT(Elapsed(start), milliseconds(1000));
  EXPECT_EQ(text, "");
}

TEST_F(PortOverPty, SilentLineReturnsNothingAfterTheTotalLimit) {
  UseWindowTimeouts(port);
  port.Open();
  std::string text = "stale";
  const auto start = Clock::now();
  EXPECT_EQ(port.ReceiveText(text, 400), 0);
  const milliseconds waited = Elapsed(start);
  EXPECT_GE(waited, milliseconds(350));
  EXPECT_LT(waited, milliseconds(3000));
  EXPECT_EQ(text, "");
}

TEST_F(PortOverPty, ReceiveOfNothingReadsNothing) {
  port.Open();
  SlaveView view(pty.SlavePath());
  pty.Send("Q");
  ASSERT_TRUE(view.AwaitInput());
  std::string text = "stale";
  EXPECT_EQ(port.ReceiveText(text, 0), 0);
  EXPECT_EQ(port.ReceiveText(text, -5), 0);
  EXPECT_EQ(text, "");
  EXPECT_EQ(port.QueuedInputCount(), 1);
}

// A pseudo-terminal has no modem lines; its port must still work.
TEST_F(PortOverPty, ModemLinesOnALineWithoutThem) {
  port.Open();
  EXPECT_NO_THROW(port.SetDtrLine(true));
  EXPECT_NO_THROW(port.SetRtsLine(false));
  const TModemLines lines = port.ModemLines();
  EXPECT_FALSE(lines.cts || lines.dsr || lines.ring || lines.rlsd);
  EXPECT_NO_THROW(port.CancelPendingIO());
}

TEST_F(PortOverPty, ClosedPortRefusesInputAndOutput) {
  std::string text;
  EXPECT_EQ(MessageOf([&] { port.SendText("X"); }), com_message::kWriteFailed);
  EXPECT_EQ(MessageOf([&] { port.ReceiveText(text, 5); }), com_message::kReadFailed);
  EXPECT_EQ(MessageOf([&] { port.QueuedInputCount(); }), com_message::kClearCommError);
  EXPECT_EQ(MessageOf([&] { port.ModemLines(); }), com_message::kGetCommModemStatus);
  EXPECT_EQ(MessageOf([&] { port.SetDtrLine(true); }), com_message::kEscapeCommFunction);
  EXPECT_EQ(MessageOf([&] { port.CancelPendingIO(); }), com_message::kPurgeComm);
}

// The cable is pulled while the port is open: reads and writes fail with
// their messages, and Close still lets the device go so that it can be
// opened again once the cable is back.
TEST_F(PortOverPty, PulledCableFailsIOAndCloseStillReleases) {
  port.Open();
  pty.CloseMaster();
  std::string text;
  EXPECT_EQ(MessageOf([&] { port.ReceiveText(text, 5); }), com_message::kReadFailed);
  EXPECT_EQ(MessageOf([&] { port.SendText("X"); }), com_message::kWriteFailed);
  try {
    port.Close();
  } catch (const EComPort&) {
    // A failing line step is still reported; what matters is the release.
  }
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortOverPty, ExclusiveModeLastsExactlyWhileOpen) {
  SlaveView view(pty.SlavePath());
  int exclusive = -1;
  port.Open();
  ASSERT_EQ(ioctl(view.Fd(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);
  port.Close();
  ASSERT_EQ(ioctl(view.Fd(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
}

TEST_F(PortOverPty, PortHeldByAnotherProgramIsBusy) {
  SlaveView other(pty.SlavePath());
  ASSERT_EQ(flock(other.Fd(), LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(MessageOf([&] { port.Open(); }), com_message::kPortBusy);
  EXPECT_FALSE(port.IsOpen());
  ASSERT_EQ(flock(other.Fd(), LOCK_UN), 0);
  EXPECT_TRUE(port.Open());
}

TEST_F(PortOverPty, SecondComponentOnTheSamePortIsBusy) {
  port.Open();
  TBComPort second;
  second.SetPort(pty.SlavePath());
  EXPECT_EQ(MessageOf([&] { second.Open(); }), com_message::kPortBusy);
  port.Close();
  EXPECT_TRUE(second.Open());
}

// Names that are not serial ports: refused with the right message, and a
// plain file is left exactly as it was.
TEST(PortOpenFailure, NamesThatAreNotSerialPorts) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("port_open_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path plain = folder / "plain.txt";
  std::ofstream(plain) << "keep me";

  const struct {
    std::string name;
    const char* message;
  } cases[] = {
      {(folder / "no-such-port").string(), com_message::kNoSuchPort},
      {(plain / "below-a-file").string(), com_message::kNoSuchPort},
      {"", com_message::kNoSuchPort},
      {plain.string(), com_message::kSetupComm},
      {folder.string(), com_message::kSetupComm},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBComPort port;
    port.SetPort(c.name);
    EXPECT_EQ(MessageOf([&] { port.Open(); }), c.message);
    EXPECT_FALSE(port.IsOpen());
  }
  std::ifstream kept(plain);
  std::string content;
  std::getline(kept, content);
  EXPECT_EQ(content, "keep me");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tevral::link
