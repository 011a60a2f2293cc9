// Knowing what the panel holds, from the command line: write --verify,
// verify against a panel changed behind the program's back, a verify that
// breaks off, --set values the window would refuse, and detect among
// pseudo-terminals where nothing answers. panel-sim runs as a process and
// the built terminal talks to it through the real serial layer.

#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "sim/panel_memory.h"
#include "sim/pseudo_terminal.h"
#include "tests/tools/tool_fixture.h"

namespace tevral::tools_test {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class VerifyToolTest : public ToolTest {
 protected:
  // A settings file read from a freshly configured panel: the template.
  fs::path ReadTemplate(const std::string& port) {
    const fs::path file = folder_ / "template.ini";
    const Finished read = Run(TEVRAL_TERMINAL, {"read", "--port", port, "--out", file.string()});
    EXPECT_EQ(read.status, 0) << read.output;
    return file;
  }
  // Skips the request lines panel-sim printed so far, up to and including
  // `count` of them.
  void SkipRequests(int count) { RequestLines(count); }
};

TEST_F(VerifyToolTest, WriteVerifyAgreesAndAPanelChangedBehindOurBackDiffersInThatFieldOnly) {
  const fs::path image = folder_ / "panel.bin";
  std::string port = StartPanelSim({"--memory", image.string()});
  ASSERT_FALSE(port.empty());
  const fs::path file = ReadTemplate(port);

  const Finished write = Run(TEVRAL_TERMINAL, {"write", "--port", port, "--in", file.string(),
                                               "--set", "AdvEdit_Object=1A2F", "--verify"});
  ASSERT_EQ(write.status, 0) << write.output;
  EXPECT_TRUE(Has(write.output, "Записано успішно.")) << write.output;
  EXPECT_TRUE(Has(write.output, "Панель містить те саме, що записано.")) << write.output;
  // The prefix every write stores is never read back: it is listed, not
  // taken as equal.
  EXPECT_TRUE(Has(write.output, "Префікс SUR-GARD (\"5000 18\"): не порівнюється")) << write.output;
  EXPECT_FALSE(Has(write.output, "Відкрито успішно.")) << "only what happened to the panel";
  ASSERT_EQ(sim_->Stop(SIGTERM), 0);

  // Someone else changes the panel's second server line of SIM 2.
  sim::PanelMemory memory;
  memory.LoadImage(image.string());
  const std::string other = "\"UDP\",\"198.51.100.7\",7779";
  std::vector<uint8_t> bytes(other.begin(), other.end());
  bytes.push_back(0x0F);
  memory.Write(1, 0x0166, bytes);
  memory.SaveImage(image.string());

  port = StartPanelSim({"--memory", image.string()});
  ASSERT_FALSE(port.empty());
  const Finished verify = Run(TEVRAL_TERMINAL, {"verify", "--port", port, "--in", file.string()});
  EXPECT_EQ(verify.status, 3) << verify.output;
  // The file still holds the template's object number, the panel the one
  // --set wrote; and the changed server line.
  EXPECT_TRUE(Has(verify.output, "Об'єкт №: файл «1234», панель «1A2F»")) << verify.output;
  EXPECT_TRUE(Has(verify.output, "»\nSIM 2 Сервер 2: файл «") ||
              verify.output.starts_with("SIM 2 Сервер 2: файл «"))
      << verify.output;
  EXPECT_TRUE(Has(verify.output, "», панель «" + other + "»\n")) << verify.output;
  EXPECT_TRUE(Has(verify.output, "Відмінностей: 2.")) << verify.output;
}

TEST_F(VerifyToolTest, VerifyThatBreaksOffFailsAndNeverSaysAgree) {
  std::string port = StartPanelSim({});
  const fs::path file = ReadTemplate(port);
  ASSERT_EQ(sim_->Stop(SIGTERM), 0);
  for (const char* replies : {"1", "5", "21"}) {
    SCOPED_TRACE(replies);
    port = StartPanelSim({"--fail-after", replies});
    ASSERT_FALSE(port.empty());
    const Finished verify = Run(TEVRAL_TERMINAL, {"verify", "--port", port, "--in", file.string()});
    EXPECT_EQ(verify.status, 1) << verify.output;
    EXPECT_TRUE(Has(verify.output, "Помилка читання !")) << verify.output;
    EXPECT_FALSE(Has(verify.output, "містить те саме")) << verify.output;
    EXPECT_FALSE(Has(verify.output, "Відмінностей")) << verify.output;
    EXPECT_EQ(sim_->Stop(SIGTERM), 0);
  }
}

TEST_F(VerifyToolTest, SetValueTheWindowWouldRefuseSendsNothing) {
  const std::string port = StartPanelSim({});
  const fs::path file = ReadTemplate(port);
  SkipRequests(22);
  const char* const refused[] = {
      "AdvEdit_Object=12345",             // five characters in a field of four
      "Об'єкт №=12G4",                    // G is no hexadecimal digit (found by label)
      "EDIT_TestPer=4a",                  // digits only
      "AdvEditNomerAlter=+380",           // only digits and A
      "sComboBox_ChProtocol=Contact ID",  // not an item
      "sCheckBoxVerConn=yes",             // a box takes 1 or 0
      "AdvEdit_POINT_1=internet✓",        // ✓ has no code in 1251
      "NoSuchField=1",
      "AdvEdit_Object",  // no value
  };
  for (const char* assignment : refused) {
    SCOPED_TRACE(assignment);
    const Finished write =
        Run(TEVRAL_TERMINAL, {"write", "--port", port, "--in", file.string(), "--set", assignment});
    EXPECT_EQ(write.status, 2) << write.output;
    EXPECT_TRUE(Has(write.output, "--set")) << write.output;
  }
  // The first request the panel sees after all this is the probe below: no
  // refused write sent anything.
  const Finished detect = Run(TEVRAL_TERMINAL, {"detect", port});
  EXPECT_EQ(detect.status, 0) << detect.output;
  const std::vector<std::string> next = RequestLines(1);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_TRUE(Has(next[0], ":0039")) << next[0];
}

TEST_F(VerifyToolTest, DetectFindsTheOnePanelAmongSilentLines) {
  sim::PseudoTerminal silent1, silent2, silent3;
  const std::string port = StartPanelSim({});
  ASSERT_FALSE(port.empty());
  const Finished detect =
      Run(TEVRAL_TERMINAL, {"detect", silent1.SlavePath(), silent2.SlavePath(), port,
                            silent3.SlavePath(), (folder_ / "gone").string()});
  EXPECT_EQ(detect.status, 0) << detect.output;
  EXPECT_TRUE(
      Has(detect.output, port + ": Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.03.01"))
      << detect.output;
  for (const auto* silent : {&silent1, &silent2, &silent3}) {
    EXPECT_TRUE(Has(detect.output, silent->SlavePath() + ": немає відповіді")) << detect.output;
  }
  EXPECT_TRUE(Has(detect.output, (folder_ / "gone").string() + ": Спроба відкрити"))
      << detect.output;

  const Finished nothing = Run(TEVRAL_TERMINAL, {"detect", silent1.SlavePath()});
  EXPECT_EQ(nothing.status, 1) << nothing.output;
}

}  // namespace
}  // namespace tevral::tools_test
