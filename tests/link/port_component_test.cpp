// TBComPort's own rules, over a device that records what it is asked to do
// and fails on request: the order of the open and close steps, what a
// failing step leaves behind, and when settings reach the device.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "link/serial_device.h"
#include "link/tbcomport.h"

namespace tevral::link {
namespace {

using Log = std::vector<std::string>;

class RecordingDevice : public SerialDevice {
 public:
  RecordingDevice(Log& log, std::set<std::string>& failing, OpenError& open_result)
      : log_(log), failing_(failing), open_result_(open_result) {}

  OpenError Open(const std::string& name) override {
    log_.push_back("open " + name);
    open_ = open_result_ == OpenError::kNone;
    return open_result_;
  }
  void Close() override {
    log_.push_back("close");
    open_ = false;
  }
  bool SetupQueues(uint32_t in_size, uint32_t out_size) override {
    return Step("queues " + std::to_string(in_size) + " " + std::to_string(out_size), "queues");
  }
  bool SetLineSettings(const LineSettings& s) override {
    return Step("line " + std::to_string(s.baud) + " " + std::to_string(s.data_bits) + " " +
                    std::to_string(static_cast<int>(s.parity)) + " " +
                    std::to_string(static_cast<int>(s.stop_bits)),
                "line");
  }
  bool SetTimeouts(const DeviceTimeouts& t) override {
    return Step("timeouts " + std::to_string(t.read_interval) + " " +
                    std::to_string(t.read_total_multiplier) + " " +
                    std::to_string(t.read_total_constant) + " " +
                    std::to_string(t.write_total_multiplier) + " " +
                    std::to_string(t.write_total_constant),
                "timeouts");
  }
  std::optional<size_t> Write(const char*, size_t size) override {
    if (!Step("write", "write")) return std::nullopt;
    return size;
  }
  std::optional<size_t> Read(char* buffer, size_t size) override {
    if (!Step("read", "read")) return std::nullopt;
    const std::string arrived = "AB";
    const size_t count = std::min(size, arrived.size());
    arrived.copy(buffer, count);
    return count;
  }
  std::optional<uint32_t> QueuedInput() override {
    if (!Step("queued", "queued")) return std::nullopt;
    return 7;
  }
  std::optional<ModemStatus> GetModemStatus() override {
    if (!Step("modem", "modem")) return std::nullopt;
    return ModemStatus{true, false, true, false};
  }
  bool SetDtr(bool on) override { return Step(on ? "dtr on" : "dtr off", "dtr"); }
  bool SetRts(bool on) override { return Step(on ? "rts on" : "rts off", "rts"); }
  bool Purge() override { return Step("purge", "purge"); }

 private:
  bool Step(const std::string& entry, const std::string& kind) {
    log_.push_back(entry);
    return open_ && failing_.count(kind) == 0;
  }

  Log& log_;
  std::set<std::string>& failing_;
  OpenError& open_result_;
  bool open_ = false;
};

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EComPort& error) {
    return error.what();
  }
  return "(nothing raised)";
}

class PortComponent : public ::testing::Test {
 protected:
  PortComponent() : port(std::make_unique<RecordingDevice>(log, failing, open_result)) {}

  // What the device was asked since the last call.
  Log Taken() {
    Log taken;
    taken.swap(log);
    return taken;
  }

  Log log;
  std::set<std::string> failing;
  OpenError open_result = OpenError::kNone;
  TBComPort port;
};

const char* const kDefaultTimeouts = "timeouts 4294967295 0 0 100 1000";

TEST_F(PortComponent, OpenAppliesEverySettingOnceInOrder) {
  EXPECT_TRUE(port.Open());
  EXPECT_EQ(Taken(), (Log{"open COM2", "queues 2048 2048", "line 9600 8 0 0", kDefaultTimeouts}));
  EXPECT_TRUE(port.Open());
  EXPECT_EQ(Taken(), Log{});
}

TEST_F(PortComponent, OpenFailureMessages) {
  const struct {
    OpenError error;
    const char* message;
  } cases[] = {
      {OpenError::kNotFound, com_message::kNoSuchPort},
      {OpenError::kBusy, com_message::kPortBusy},
      {OpenError::kPermissionDenied, com_message::kPermissionDenied},
      {OpenError::kOther, com_message::kSetupComm},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    open_result = c.error;
    EXPECT_EQ(MessageOf([&] { port.Open(); }), c.message);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(Taken(), Log{"open COM2"});  // nothing applied to a device not held
  }
}

TEST_F(PortComponent, FailingSetupStepClosesTheDeviceAgain) {
  const struct {
    const char* step;
    const char* message;
    Log expected;
  } cases[] = {
      {"queues", com_message::kSetupComm, {"open COM2", "queues 2048 2048", "close"}},
      {"line",
       com_message::kSetCommState,
       {"open COM2", "queues 2048 2048", "line 9600 8 0 0", "close"}},
      {"timeouts",
       com_message::kSetCommTimeouts,
       {"open COM2", "queues 2048 2048", "line 9600 8 0 0", kDefaultTimeouts, "close"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    failing = {c.step};
    EXPECT_EQ(MessageOf([&] { port.Open(); }), c.message);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(Taken(), c.expected);
  }
}

// The speed box gives -1 when nothing is selected: stored, refused at Open.
TEST_F(PortComponent, SpeedWithoutARateIsRefusedAtOpen) {
  port.SetBaudRate(static_cast<TBaudRate>(-1));
  EXPECT_EQ(port.BaudRate(), static_cast<TBaudRate>(-1));
  EXPECT_EQ(MessageOf([&] { port.Open(); }), com_message::kSetCommState);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(Taken(), (Log{"open COM2", "queues 2048 2048", "close"}));
}

TEST_F(PortComponent, CloseDropsLinesPurgesAndReleases) {
  port.Open();
  Taken();
  EXPECT_TRUE(port.Close());
  EXPECT_EQ(Taken(), (Log{"dtr off", "rts off", "purge", "close"}));
  EXPECT_TRUE(port.Close());
  EXPECT_EQ(Taken(), Log{});  // a closed port is not touched
}

// A device that has gone away fails these steps; the error is still
// raised, but the device is let go so the port can be opened again.
TEST_F(PortComponent, FailingCloseStepStillReleasesTheDevice) {
  const struct {
    std::set<std::string> failing;
    const char* message;
  } cases[] = {
      {{"dtr"}, com_message::kEscapeCommFunction},
      {{"rts"}, com_message::kEscapeCommFunction},
      {{"purge"}, com_message::kPurgeComm},
      {{"dtr", "rts", "purge"}, com_message::kEscapeCommFunction},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    failing.clear();
    port.Open();
    Taken();
    failing = c.failing;
    EXPECT_EQ(MessageOf([&] { port.Close(); }), c.message);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(Taken(), (Log{"dtr off", "rts off", "purge", "close"}));
  }
}

TEST_F(PortComponent, DestroyingAnOpenPortReleasesIt) {
  {
    TBComPort owned(std::make_unique<RecordingDevice>(log, failing, open_result));
    owned.Open();
    failing = {"dtr"};  // even when a step fails, without throwing
    Taken();
  }
  EXPECT_EQ(Taken(), (Log{"dtr off", "rts off", "purge", "close"}));
}

TEST_F(PortComponent, SettingsReachAnOpenDeviceAtOnceAndAClosedOneAtOpen) {
  const struct {
    const char* name;
    std::function<void(TBComPort&)> change;
    const char* applied;
  } cases[] = {
      {"speed", [](TBComPort& p) { p.SetBaudRate(TBaudRate::br115200); }, "line 115200 8 0 0"},
      {"byte size", [](TBComPort& p) { p.SetByteSize(TByteSize::bs7); }, "line 9600 7 0 0"},
      {"parity", [](TBComPort& p) { p.SetParity(TParity::paEven); }, "line 9600 8 2 0"},
      {"stop bits", [](TBComPort& p) { p.SetStopBits(TStopBits::sb2); }, "line 9600 8 0 2"},
      {"input queue", [](TBComPort& p) { p.SetInBufSize(4097); }, "queues 4096 2048"},
      {"output queue", [](TBComPort& p) { p.SetOutBufSize(1000); }, "queues 2048 1000"},
      {"read interval", [](TBComPort& p) { p.Timeouts().SetReadInterval(1); },
       "timeouts 1 0 0 100 1000"},
      {"write constant", [](TBComPort& p) { p.Timeouts().SetWriteTotalConstant(-5); },
       "timeouts 4294967295 0 0 100 4294967295"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Log opened_then_changed;
    {
      TBComPort open_port(std::make_unique<RecordingDevice>(log, failing, open_result));
      open_port.Open();
      Taken();
      c.change(open_port);
      EXPECT_EQ(Taken(), Log{c.applied});
      c.change(open_port);  // the same value again: nothing to hand over
      EXPECT_EQ(Taken(), Log{});
    }
    Taken();
    TBComPort closed_port(std::make_unique<RecordingDevice>(log, failing, open_result));
    c.change(closed_port);
    EXPECT_EQ(Taken(), Log{});
    closed_port.Open();
    const Log opened = Taken();
    EXPECT_NE(std::find(opened.begin(), opened.end(), c.applied), opened.end());
  }
}

TEST_F(PortComponent, BufferSizesAreKeptEven) {
  const struct {
    int32_t given;
    int32_t stored;
  } cases[] = {{4097, 4096}, {4096, 4096}, {1, 0}, {2049, 2048}, {-3, -3}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    port.SetInBufSize(c.given);
    port.SetOutBufSize(c.given);
    EXPECT_EQ(port.InBufSize(), c.stored);
    EXPECT_EQ(port.OutBufSize(), c.stored);
  }
}

TEST_F(PortComponent, AssignedTimeoutsAreCopiedAndAppliedOnce) {
  TComTimeouts window;
  window.SetReadInterval(1);
  window.SetReadTotalMultiplier(1);
  window.SetReadTotalConstant(1);
  window.SetWriteTotalMultiplier(1);
  window.SetWriteTotalConstant(1);

  port.SetTimeouts(window);  // closed: stored only
  EXPECT_EQ(Taken(), Log{});
  port.Open();
  EXPECT_EQ(Taken().back(), "timeouts 1 1 1 1 1");

  port.SetTimeouts(TComTimeouts{});
  EXPECT_EQ(Taken(), Log{kDefaultTimeouts});
  // The copy is of values only: changing the source later changes nothing.
  window.SetReadInterval(9);
  EXPECT_EQ(port.Timeouts().ReadInterval(), -1);
  EXPECT_EQ(Taken(), Log{});
}

// Copies of a port's time-outs are plain values; assigning into the port's
// own keeps them tied to the port.
TEST_F(PortComponent, CopiedTimeoutsBelongToNoPort) {
  port.Open();
  Taken();
  TComTimeouts copy = port.Timeouts();
  copy.SetReadInterval(7);
  EXPECT_EQ(Taken(), Log{});
  EXPECT_EQ(port.Timeouts().ReadInterval(), -1);

  port.Timeouts() = copy;
  EXPECT_EQ(Taken(), Log{"timeouts 7 0 0 100 1000"});
  port.Timeouts().SetReadInterval(8);
  EXPECT_EQ(Taken(), Log{"timeouts 8 0 0 100 1000"});
}

TEST_F(PortComponent, FailingSettingWhileOpenIsReportedAndKept) {
  port.Open();
  failing = {"line"};
  EXPECT_EQ(MessageOf([&] { port.SetBaudRate(TBaudRate::br300); }), com_message::kSetCommState);
  EXPECT_EQ(port.BaudRate(), TBaudRate::br300);
  EXPECT_TRUE(port.IsOpen());
  failing = {"timeouts"};
  EXPECT_EQ(MessageOf([&] { port.Timeouts().SetReadTotalConstant(5); }),
            com_message::kSetCommTimeouts);
  failing = {"queues"};
  EXPECT_EQ(MessageOf([&] { port.SetInBufSize(64); }), com_message::kSetupComm);
}

TEST_F(PortComponent, InputOutputAndLineOperationsReportTheirOwnFailure) {
  port.Open();
  std::string text;
  EXPECT_EQ(port.ReceiveText(text, 1), 1);
  EXPECT_EQ(text, "A");
  EXPECT_EQ(port.QueuedInputCount(), 7);
  const TModemLines lines = port.ModemLines();
  EXPECT_TRUE(lines.cts && !lines.dsr && lines.ring && !lines.rlsd);

  const struct {
    const char* step;
    std::function<void()> action;
    const char* message;
  } cases[] = {
      {"write", [&] { port.SendText("X"); }, com_message::kWriteFailed},
      {"read", [&] { port.ReceiveText(text, 5); }, com_message::kReadFailed},
      {"queued", [&] { port.QueuedInputCount(); }, com_message::kClearCommError},
      {"modem", [&] { port.ModemLines(); }, com_message::kGetCommModemStatus},
      {"dtr", [&] { port.SetDtrLine(true); }, com_message::kEscapeCommFunction},
      {"rts", [&] { port.SetRtsLine(false); }, com_message::kEscapeCommFunction},
      {"purge", [&] { port.CancelPendingIO(); }, com_message::kPurgeComm},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    failing = {c.step};
    EXPECT_EQ(MessageOf(c.action), c.message);
    EXPECT_TRUE(port.IsOpen());  // only Close leaves the open state
  }
  EXPECT_EQ(text, "");  // a failed read leaves no stale characters
}

TEST(BaudRateValue, EveryOrdinalOfTheSpeedBox) {
  const uint32_t rates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                            19200, 38400, 56000, 57600, 115200, 128000, 256000};
  for (int ordinal = 0; ordinal < 15; ++ordinal) {
    EXPECT_EQ(BaudRateValue(static_cast<TBaudRate>(ordinal)), rates[ordinal]) << ordinal;
  }
  EXPECT_EQ(BaudRateValue(static_cast<TBaudRate>(-1)), std::nullopt);
  EXPECT_EQ(BaudRateValue(static_cast<TBaudRate>(15)), std::nullopt);
}

}  // namespace
}  // namespace tevral::link
