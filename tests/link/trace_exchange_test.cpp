// The frame trace: what the exchanges report, in order and with the
// exchange's outcome, and how the file sink writes it down.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/exchanges.h"
#include "link/trace.h"
#include "tests/link/exchange_fakes.h"

namespace tevral::link {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::RecordingHost;
using testing::ScriptedLine;
using testing::Trace;
using testing::VirtualClock;

// Keeps what the exchanges report as short readable lines.
class RecordingSink : public TraceSink {
 public:
  std::vector<std::string> lines;
  void FrameSent(std::string_view frame, int32_t written) override {
    lines.push_back("-> " + std::string(frame) + " " + std::to_string(written));
  }
  void FrameFailed(std::string_view frame, std::string_view error) override {
    lines.push_back("-> " + std::string(frame) + " ! " + std::string(error));
  }
  void ReplyReceived(std::string_view reply, ReplyOutcome outcome) override {
    lines.push_back("<- " + std::string(reply) + " " + std::string(ReplyOutcomeText(outcome)));
  }
  void ReplyFailed(std::string_view error) override {
    lines.push_back("<- ! " + std::string(error));
  }
  void InputDiscarded(std::string_view input) override {
    lines.push_back("<- " + std::string(input) + " discarded");
  }
  void ReplyChecksumMismatch(std::string_view reply, std::string_view expected) override {
    lines.push_back("<- " + std::string(reply) + " checksum, expected " + std::string(expected));
  }
};

class TracedExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override { ex.SetTrace(&sink); }

  // Five unanswered attempts of `frame`, the last one with `last_outcome`.
  static std::vector<std::string> Unanswered(const std::string& frame,
                                             const std::string& last_outcome) {
    std::vector<std::string> lines;
    for (int attempt = 1; attempt <= 5; ++attempt) {
      lines.push_back("-> " + frame + " " + std::to_string(frame.size()));
      lines.push_back("<-  " + (attempt < 5 ? std::string("retrying") : last_outcome));
    }
    return lines;
  }

  Trace trace;
  ScriptedLine port{trace, &clock};
  RecordingHost host{trace};
  VirtualClock clock{trace};
  Exchanges ex{port, host, clock.AsPause(), clock.AsClock()};
  RecordingSink sink;
};

TEST_F(TracedExchangeTest, AnsweredReadIsOneFrameAndOneReply) {
  port.replies = {":000039010301120524104207AD;"};
  ex.RequestText = "0039";
  ex.ReadExchange();
  EXPECT_THAT(sink.lines, ElementsAre("-> :0039CC; 8", "<- :000039010301120524104207AD; answered"));
}

TEST_F(TracedExchangeTest, LastUnansweredAttemptCarriesTheExchangesOutcome) {
  ex.RequestText = "0039";
  ex.ReadExchange();
  EXPECT_THAT(sink.lines, ElementsAreArray(Unanswered(":0039CC;", "failed")));

  sink.lines.clear();
  ex.QuietFailure = -1;
  ex.RequestText = "0039";
  ex.ReadExchange();
  EXPECT_THAT(sink.lines, ElementsAreArray(Unanswered(":0039CC;", "failed quietly")));

  sink.lines.clear();
  ex.RequestText = ":0002006510EE;";
  ex.WriteExchange();
  EXPECT_THAT(sink.lines, ElementsAreArray(Unanswered(":0002006510EE;", "failed")));
}

TEST_F(TracedExchangeTest, ReplyCutAtTheWriteLimitIsTracedAsTwoReceives) {
  const std::string long_reply = ":00" + std::string(40, 'A') + ";";
  port.replies = {long_reply};
  ex.RequestText = ":0002006510EE;";
  ex.WriteExchange();
  EXPECT_THAT(sink.lines,
              ElementsAre("-> :0002006510EE; 14", "<- " + long_reply.substr(0, 40) + " retrying",
                          "-> :0002006510EE; 14",
                          // the rest of the first reply, then the second answer
                          "<- " + long_reply.substr(40) + " answered"));
}

TEST_F(TracedExchangeTest, PortErrorsAreTracedAndStillReachTheCaller) {
  port.send_error = "Помилка запису в порт";
  ex.RequestText = "0039";
  EXPECT_THROW(ex.ReadExchange(), EComPort);
  EXPECT_THAT(sink.lines, ElementsAre("-> :0039CC; ! Помилка запису в порт"));

  sink.lines.clear();
  port.send_error.reset();
  port.receive_error = "Помилка читання з порта";
  ex.RequestText = "0039";
  EXPECT_THROW(ex.ReadExchange(), EComPort);
  EXPECT_THAT(sink.lines, ElementsAre("-> :0039CC; 8", "<- ! Помилка читання з порта"));
}

// What was not taken for an answer is in the trace too: input left over
// before the frame went out and noise before the reply. A reply whose
// checksum does not match is taken (panels differ there) and noted.
TEST_F(TracedExchangeTest, DiscardedInputAndChecksumMismatchAreTraced) {
  port.queued = "old;";
  port.replies = {"~~:0001021234FF;"};
  ex.RequestText = "0001020200";
  ex.ReadExchange(WholeReadReply(2));
  EXPECT_THAT(sink.lines,
              ElementsAre("<- old; discarded", "-> :0001020200E5; 14", "<- ~~ discarded",
                          "<- :0001021234FF; answered", "<- :0001021234FF; checksum, expected ED"));
}

TEST(QuotedTraceText, OnlyPrintableAsciiStandsAsItIs) {
  struct Case {
    std::string text;
    std::string quoted;
  };
  const std::vector<Case> cases = {
      {"", R"("")"},
      {":0039CC;", R"(":0039CC;")"},
      {"a b", R"("a b")"},
      {"\r\n", R"("\x0D\x0A")"},
      {"\"\\", R"("\x22\x5C")"},
      {std::string("\x00\x7F\xFF", 3), R"("\x00\x7F\xFF")"},
  };
  for (const auto& c : cases) EXPECT_EQ(QuotedTraceText(c.text), c.quoted) << c.quoted;
}

// "2024-05-12 10:42:07.123": digits wherever the pattern has a 9.
bool IsTimestamp(std::string_view text) {
  constexpr std::string_view kPattern = "9999-99-99 99:99:99.999";
  if (text.size() != kPattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kPattern[i] == '9' ? !digit : text[i] != kPattern[i]) return false;
  }
  return true;
}

class FileTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("trace_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    path = folder / "trace.log";
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::vector<std::string> Lines() const {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::filesystem::path folder;
  std::filesystem::path path;
};

TEST_F(FileTraceTest, AppendsOneLinePerEventWithTimeAndPort) {
  {
    std::ofstream earlier(path, std::ios::binary);  // no CR before the LF on Windows
    earlier << "from an earlier run\n";
  }
  std::string port_name = "/dev/ttyUSB0";
  FileTrace trace(path, [&] { return port_name; });
  trace.FrameSent(":0039CC;", 8);
  trace.ReplyReceived(":00\r\n;", ReplyOutcome::kRetrying);  // noise cannot split the line
  port_name = "/dev/ttyUSB1";                                // asked at the time of each line
  trace.FrameSent(":0039CC;", 3);
  trace.ReplyReceived("", ReplyOutcome::kFailed);
  trace.FrameFailed(":0039CC;", "Помилка\r\nзапису");
  trace.ReplyFailed("Помилка читання з порта");

  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "from an earlier run");
  const std::vector<std::string> rest = {
      R"(/dev/ttyUSB0 -> ":0039CC;" sent)",
      R"(/dev/ttyUSB0 <- ":00\x0D\x0A;" retrying)",
      R"(/dev/ttyUSB1 -> ":0039CC;" sent 3 of 8 bytes)",
      R"(/dev/ttyUSB1 <- "" failed)",
      R"(/dev/ttyUSB1 -> ":0039CC;" not sent: Помилка  запису)",
      R"(/dev/ttyUSB1 <- "" port error: Помилка читання з порта)",
  };
  for (size_t i = 0; i < rest.size(); ++i) {
    const std::string& line = lines[i + 1];
    ASSERT_GE(line.size(), 24u) << line;
    EXPECT_TRUE(IsTimestamp(line.substr(0, 23)) && line[23] == ' ') << line;
    EXPECT_EQ(line.substr(24), rest[i]);
  }
}

TEST_F(FileTraceTest, FileThatCannotBeOpenedIsAnErrorNamingIt) {
  try {
    FileTrace trace(folder, [] { return std::string(); });  // a folder, not a file
    FAIL() << "opened a folder as a trace file";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(folder.string()));
  }
}

TEST_F(FileTraceTest, DiscardedInputAndChecksumMismatchLines) {
  FileTrace trace(path, [] { return std::string("/dev/ttyUSB0"); });
  trace.InputDiscarded(std::string("\xFF:0002C2;", 9));
  trace.ReplyChecksumMismatch(":0001021234FF;", "ED");
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(24), R"(/dev/ttyUSB0 <- "\xFF:0002C2;" discarded)");
  EXPECT_EQ(lines[1].substr(24),
            R"(/dev/ttyUSB0 <- ":0001021234FF;" checksum FF, its text sums to ED)");
}

// A disk that is full: every line fails. The owner hears of it once, not
// once per line, and the trace goes on trying.
TEST_F(FileTraceTest, LinesThatCannotBeWrittenAreReportedOnce) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  FileTrace trace("/dev/full", [] { return std::string("/dev/pts/9"); });
  EXPECT_EQ(trace.TakeFailure(), std::nullopt) << "nothing written yet, nothing failed";
  trace.FrameSent(":0039CC;", 8);
  trace.ReplyReceived("", ReplyOutcome::kRetrying);
  const auto failure = trace.TakeFailure();
  ASSERT_TRUE(failure.has_value());
  EXPECT_THAT(*failure, HasSubstr("/dev/full"));
  trace.FrameSent(":0039CC;", 8);
  EXPECT_EQ(trace.TakeFailure(), std::nullopt) << "the same run of failures is told once";
}

TEST_F(FileTraceTest, AWritableTraceReportsNothing) {
  FileTrace trace(path, [] { return std::string(); });
  trace.FrameSent(":0039CC;", 8);
  EXPECT_EQ(trace.TakeFailure(), std::nullopt);
  EXPECT_EQ(Lines().size(), 1u);
}

}  // namespace
}  // namespace tevral::link
