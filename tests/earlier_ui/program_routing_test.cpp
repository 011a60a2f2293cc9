// The terminal-earlier program hands read, write and --help to the command
// line before anything of the window exists, so they work where there is no
// display at all (a service laptop's console, a script over ssh). Run here
// as a separate process with no display and no Qt platform set: a program
// that made its QApplication first would abort.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "sim/earlier_panel_image.h"
#include "sim/simulated_panel.h"

namespace tevral::earlier::ui::uitest {
namespace {

// The program is built beside the tests: build/tests/ and build/earlier/ui/.
QString ProgramPath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../earlier/ui/terminal-earlier");
}

struct Outcome {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};

Outcome RunWithoutDisplay(const QStringList& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(ProgramPath(), arguments);
  Outcome outcome;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return outcome;
  }
  outcome.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  outcome.out = process.readAllStandardOutput();
  outcome.err = process.readAllStandardError();
  return outcome;
}

TEST(EarlierProgramTest, CommandLineVerbsRunWithoutADisplay) {
  ASSERT_TRUE(QFileInfo(ProgramPath()).isExecutable()) << ProgramPath().toStdString();

  for (const char* help : {"--help", "-h"}) {
    const Outcome outcome = RunWithoutDisplay({QString::fromLatin1(help)});
    EXPECT_EQ(outcome.exit_code, 0) << help << ": " << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains("terminal-earlier read")) << help;
  }

  sim::SimulatedPanel panel;
  panel.SetIdentity(sim::EarlierPanelIdentity());
  sim::WriteEarlierPanelImage(panel.Memory());
  panel.Start();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString file = folder.filePath(QStringLiteral("panel.ini"));
  const Outcome read = RunWithoutDisplay({QStringLiteral("read"), QStringLiteral("--port"),
                                          QString::fromStdString(panel.DevicePath()),
                                          QStringLiteral("--out"), file});
  EXPECT_EQ(read.exit_code, 0) << read.err.toStdString();
  QFile saved(file);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains("[AdvEdit_IP_2]\r\nText=mon.example.ua\r\n"));
}

}  // namespace
}  // namespace tevral::earlier::ui::uitest
