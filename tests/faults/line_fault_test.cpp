// Both programs against a panel on a bad line, over a real pseudo-terminal
// and the real port component: replies that trickle in a byte at a time or
// come in an adapter's chunks, a panel that answers late, replies that lost
// data pairs, noise before the replies, a cable pulled out half way, a port
// that another program holds or that vanished after the port list was
// filled. Each ends in what a service engineer must get: the panel's true
// values with the success message, or a plain failure, never wrong data
// reported as read or written.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "configurator/field_table.h"
#include "configurator/panel_session.h"
#include "configurator/partial_write_note.h"
#include "current/fields.h"
#include "current/read_sequence.h"
#include "current/write_sequence.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_write_sequence.h"
#include "link/com_errors.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/current_panel_image.h"
#include "sim/earlier_panel_image.h"
#include "sim/panel_sim.h"
#include "sim/simulated_panel.h"

namespace tevral {
namespace {

constexpr char kReadDone[] = "Прочитано успішно.";
constexpr char kWriteDone[] = "Записано успішно.";

// What differs between the two programs here.
struct Program {
  const char* name;
  FieldInventory (*fields)();
  sim::PanelIdentity (*identity)();
  void (*configure)(sim::PanelMemory&);
  bool (*read)(PanelSession&);
  bool (*write)(PanelSession&);
};

void PrintTo(const Program& program, std::ostream* out) {
  *out << program.name;
}

bool WriteEarlier(PanelSession& session) {
  return earlier::WriteToEarlierPanel(session);
}

const Program kCurrent{"current",
                       current::CurrentFields,
                       sim::CurrentPanelIdentity,
                       sim::WriteCurrentPanelImage,
                       current::ReadFromPanel,
                       current::WriteToPanel};
const Program kEarlier{"earlier",
                       earlier::EarlierFields,
                       sim::EarlierPanelIdentity,
                       sim::WriteEarlierPanelImage,
                       earlier::ReadFromEarlierPanel,
                       WriteEarlier};

// One program's window, headless, with its port and exchanges, pointed at
// a port name as the port box shows it.
struct Window {
  Window(const Program& program, const std::string& port_name) : form(program.fields()) {
    form.SetItems("cbPort", {port_name});
    form.SetItemIndex("cbPort", 0);
    ApplyPanelTimeouts(port);
  }
  ~Window() {
    try {
      port.Close();
    } catch (const link::EComPort&) {
      // a line that went away refuses its last steps; it is released anyway
    }
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const FormEvent& event : form.Events()) {
      if (event.kind == FormEvent::Kind::kMessage) texts.push_back(event.text);
    }
    return texts;
  }
  bool Showed(const std::string& text) const {
    for (const std::string& message : Messages()) {
      if (message == text) return true;
    }
    return false;
  }

  FieldTable form;
  link::TBComPort port;
  link::Exchanges exchanges{port, form};
  PanelSession session{form, port, exchanges};
};

// Every panel setting of the window as text, by control name.
std::map<std::string, std::string> Settings(const Form& form, FieldInventory fields) {
  std::map<std::string, std::string> values;
  for (const FieldSpec& field : fields) {
    if (field.connection) continue;
    const std::string name(field.name);
    switch (field.kind) {
      case FieldKind::kText:
        values[name] = form.Text(name);
        break;
      case FieldKind::kCheck:
      case FieldKind::kRadio:
        values[name] = form.Checked(name) ? "checked" : "unchecked";
        break;
      case FieldKind::kChoice:
        values[name] = std::to_string(form.ItemIndex(name));
        break;
    }
  }
  return values;
}

struct LineFault {
  const char* name;
  sim::PanelFaults faults;
};

sim::PanelFaults BytesApart(int gap_ms) {
  sim::PanelFaults faults;
  faults.chunk_gap_ms = gap_ms;
  faults.chunk_size = 1;
  return faults;
}

sim::PanelFaults ChunksApart(size_t size, int gap_ms) {
  sim::PanelFaults faults;
  faults.chunk_gap_ms = gap_ms;
  faults.chunk_size = size;
  return faults;
}

sim::PanelFaults TwoChunks(int gap_ms) {
  sim::PanelFaults faults;
  faults.split_gap_ms = gap_ms;
  return faults;
}

sim::PanelFaults Late(int delay_ms) {
  sim::PanelFaults faults;
  faults.reply_delay_ms = delay_ms;
  return faults;
}

sim::PanelFaults Noisy(int bytes) {
  sim::PanelFaults faults;
  faults.garbage_before = sim::LineNoise(bytes);
  return faults;
}

class LineFaultSuite : public ::testing::TestWithParam<Program> {
 protected:
  void SetUp() override {
    panel.SetIdentity(program().identity());
    program().configure(panel.Memory());
    panel.Start();
  }

  const Program& program() const { return GetParam(); }

  // What a read over a good line shows.
  std::map<std::string, std::string> ReadOverAGoodLine() {
    Window window(program(), panel.DevicePath());
    EXPECT_TRUE(program().read(window.session));
    panel.ClearLog();
    return Settings(window.form, program().fields());
  }

  // The panel's memory after the window's defaults were written over a good
  // line; the panel is then put back as it was.
  std::vector<uint8_t> WrittenOverAGoodLine() {
    const std::vector<uint8_t> before = Memory();
    Window window(program(), panel.DevicePath());
    EXPECT_TRUE(program().write(window.session));
    const std::vector<uint8_t> written = Memory();
    RestoreMemory(before);
    panel.ClearLog();
    return written;
  }

  std::vector<uint8_t> Memory() {
    std::vector<uint8_t> both = panel.Memory().Read(0, 0, sim::PanelMemory::kBankSize);
    const std::vector<uint8_t> bank1 = panel.Memory().Read(1, 0, sim::PanelMemory::kBankSize);
    both.insert(both.end(), bank1.begin(), bank1.end());
    return both;
  }
  void RestoreMemory(const std::vector<uint8_t>& both) {
    const auto half = both.begin() + sim::PanelMemory::kBankSize;
    panel.Memory().Write(0, 0, std::vector<uint8_t>(both.begin(), half));
    panel.Memory().Write(1, 0, std::vector<uint8_t>(half, both.end()));
  }

  sim::SimulatedPanel panel;
};

// The line delivers the replies badly but whole: the read shows exactly what
// it shows over a good line.
TEST_P(LineFaultSuite, ReadOverABadLineShowsThePanelsValues) {
  const auto expected = ReadOverAGoodLine();
  const std::vector<LineFault> faults = {
      {"a byte every 2 ms", BytesApart(2)},
      {"chunks of 8 characters 16 ms apart", ChunksApart(8, 16)},
      {"two chunks 16 ms apart", TwoChunks(16)},
      {"noise before every reply", Noisy(5)},
      {"every reply 700 ms late", Late(700)},
  };
  for (const LineFault& fault : faults) {
    panel.SetFaults(fault.faults);
    Window window(program(), panel.DevicePath());
    EXPECT_TRUE(program().read(window.session)) << fault.name;
    EXPECT_EQ(Settings(window.form, program().fields()), expected) << fault.name;
    EXPECT_TRUE(window.Showed(kReadDone)) << fault.name;
    EXPECT_FALSE(window.port.IsOpen()) << fault.name;
  }
}

TEST_P(LineFaultSuite, WriteOverABadLinePutsTheSameBytesIntoThePanel) {
  const auto expected = WrittenOverAGoodLine();
  const auto before = Memory();
  const std::vector<LineFault> faults = {
      {"a byte every 2 ms", BytesApart(2)},
      {"chunks of 4 characters 16 ms apart", ChunksApart(4, 16)},
      {"noise before every reply", Noisy(5)},
      {"every reply 250 ms late", Late(250)},
  };
  for (const LineFault& fault : faults) {
    RestoreMemory(before);
    panel.SetFaults(fault.faults);
    Window window(program(), panel.DevicePath());
    EXPECT_TRUE(program().write(window.session)) << fault.name;
    EXPECT_TRUE(Memory() == expected) << fault.name;
    EXPECT_TRUE(window.Showed(kWriteDone)) << fault.name;
  }
}

// Replies that lost a data pair on the way are never decoded: the read
// tries again and then says it could not read.
TEST_P(LineFaultSuite, ReadRepliesThatLostDataPairsFailTheRead) {
  sim::PanelFaults faults;
  faults.drop_data_pairs = 1;
  panel.SetFaults(faults);
  Window window(program(), panel.DevicePath());
  EXPECT_FALSE(program().read(window.session));
  EXPECT_TRUE(window.Showed(link::kReadFailureMessage));
  EXPECT_FALSE(window.Showed(kReadDone));
  EXPECT_FALSE(window.port.IsOpen());
}

// A slow panel that stops answering half way: the write fails plainly, and
// no acknowledgement of an earlier frame passes for a later one's.
TEST_P(LineFaultSuite, LatePanelThatFallsSilentFailsTheWrite) {
  sim::PanelFaults faults = Late(700);
  faults.stop_after = 12;
  panel.SetFaults(faults);
  Window window(program(), panel.DevicePath());
  EXPECT_FALSE(program().write(window.session));
  // The panel acknowledged the first frames, so it may hold part of the
  // write: the checklist carries the line that says so.
  EXPECT_TRUE(window.Showed(std::string(link::kWriteFailureMessage) + "\r\n" + kPartialWriteNote));
  EXPECT_FALSE(window.Showed(kWriteDone));
  EXPECT_FALSE(window.port.IsOpen());
}

// The cable is pulled out while a request waits for its reply: the port's
// read error reaches the error box at once, the port is let go, and once
// the cable is back the same window reads or writes as always.
TEST_P(LineFaultSuite, CablePulledOutHalfWayAndPluggedBackIn) {
  const auto read_back = ReadOverAGoodLine();
  struct Case {
    const char* name;
    bool write;
    int hang_up_at;
  };
  for (const Case& c : {Case{"read", false, 6}, Case{"write", true, 8}}) {
    panel.ClearLog();
    sim::PanelFaults faults;
    faults.hang_up_at = c.hang_up_at;
    panel.SetFaults(faults);
    Window window(program(), panel.DevicePath());
    const auto run = [&] {
      return c.write ? program().write(window.session) : program().read(window.session);
    };
    try {
      run();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const link::EComPort& error) {
      if (panel.HangUpRefused()) GTEST_SKIP() << "no right to hang up a terminal here";
      EXPECT_STREQ(error.what(), link::com_message::kReadFailed) << c.name;
    }
    EXPECT_FALSE(window.port.IsOpen()) << c.name;
    EXPECT_EQ(panel.Requests().size(), static_cast<size_t>(c.hang_up_at)) << c.name;

    panel.SetFaults({});
    EXPECT_TRUE(run()) << c.name;
    EXPECT_TRUE(window.Showed(c.write ? kWriteDone : kReadDone)) << c.name;
    if (!c.write) {
      EXPECT_EQ(Settings(window.form, program().fields()), read_back);
    }
  }
}

// Two programs, one port: the second is refused before it sends anything.
TEST_P(LineFaultSuite, PortHeldByAnotherProgramIsRefused) {
  Window holder(program(), panel.DevicePath());
  holder.port.SetPort(panel.DevicePath());
  holder.port.Open();
  Window second(program(), panel.DevicePath());
  for (const bool write : {false, true}) {
    try {
      write ? program().write(second.session) : program().read(second.session);
      ADD_FAILURE() << "no error";
    } catch (const link::EComPort& error) {
      EXPECT_STREQ(error.what(), link::com_message::kPortBusy);
    }
    EXPECT_FALSE(second.port.IsOpen());
  }
  EXPECT_EQ(panel.ReceivedBytes(), "");
  EXPECT_TRUE(holder.port.IsOpen());
}

// The port was in the list when it was filled, and is gone when the read
// or write opens it (an adapter unplugged in between).
TEST_P(LineFaultSuite, PortThatVanishedAfterTheListWasFilled) {
  Window window(program(), panel.DevicePath());
  panel.Stop();
  for (const bool write : {false, true}) {
    try {
      write ? program().write(window.session) : program().read(window.session);
      ADD_FAILURE() << "no error";
    } catch (const link::EComPort& error) {
      EXPECT_STREQ(error.what(), link::com_message::kNoSuchPort);
    }
    EXPECT_FALSE(window.port.IsOpen());
  }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, LineFaultSuite, ::testing::Values(kCurrent, kEarlier),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tevral
