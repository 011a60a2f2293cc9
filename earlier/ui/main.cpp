// terminal-earlier: the configurator window for panels of the earlier
// firmware (with --demo, --trace LOG); with read, write or --help, the
// command line.

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "configurator/field_table.h"
#include "configurator/form.h"
#include "configurator/ui/app_texts.h"
#include "configurator/ui/demo_mode.h"
#include "configurator/ui/desktop_services.h"
#include "configurator/ui/skin.h"
#include "configurator/ui/ukrainian_qt.h"
#include "configurator/ui/user_dialogs.h"
#include "earlier/earlier_command_line.h"
#include "earlier/ui/earlier_app_texts.h"
#include "earlier/ui/earlier_main_window.h"

namespace {

// The picture for the documentation shows the window as it starts, with
// its defaults; a message box (the start-up load's, when no settings file
// lies beside the build) would block the render, so none is shown.
class NoDialogs : public tevral::ui::UserDialogs {
 public:
  void Message(QWidget*, const QString&) override {}
  void Error(QWidget*, const QString&) override {}
  bool ConfirmReplace(QWidget*, const QString&) override { return false; }
  bool ConfirmLeaveUnsaved(QWidget*) override { return true; }
  std::optional<QString> ChooseSaveFile(QWidget*, const QString&) override { return {}; }
  std::optional<QString> ChooseOpenFile(QWidget*, const QString&) override { return {}; }
};

// Hidden option for the documentation: renders the main window into
// DIR/terminal-earlier.png and ends.
int SavePicture(const tevral::earlier::ui::MainFormServices& services, const QString& folder) {
  NoDialogs quiet;
  tevral::earlier::ui::MainFormServices picture_services = services;
  picture_services.dialogs = &quiet;
  tevral::earlier::ui::TMainForm window(picture_services);
  QCursor::setPos(0, 0);  // no hover highlight on the buttons
  window.ShowCentred();
  QApplication::processEvents();
  return window.grab().save(folder + QStringLiteral("/terminal-earlier.png")) ? 0 : 1;
}

int RunWindow(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("terminal-earlier"));
  tevral::ui::ApplySkin(application);
  tevral::ui::SpeakUkrainian(application,
                             QString::fromUtf8(tevral::earlier::ui::kApplicationTitle));

  tevral::ui::QtUserDialogs dialogs(QString::fromUtf8(tevral::ui::kMessageBoxTitle));
  const auto parsed = tevral::ui::ParseWindowArguments(QApplication::arguments().mid(1));
  if (const auto* mistake = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "terminal-earlier: %s\nRun 'terminal-earlier --help' for usage.\n",
                 mistake->c_str());
    return 2;
  }
  const auto& arguments = std::get<tevral::ui::WindowArguments>(parsed);

  tevral::ui::SystemDesktopServices desktop;
  tevral::earlier::ui::MainFormServices services;
  services.dialogs = &dialogs;
  services.desktop = &desktop;
  services.program_folder = QDir::toNativeSeparators(QApplication::applicationDirPath());

  // The demo panel and the trace file live as long as the window.
  std::unique_ptr<tevral::ui::WindowExtras> extras;
  try {
    extras =
        std::make_unique<tevral::ui::WindowExtras>(arguments, tevral::ui::DemoFirmware::kEarlier);
  } catch (const std::exception& error) {
    dialogs.Error(nullptr, QString::fromStdString(tevral::ErrorBoxText(error.what())));
    return 1;
  }
  extras->Apply(services);

  if (!arguments.screenshot_folder.isEmpty()) {
    return SavePicture(services, arguments.screenshot_folder);
  }
  tevral::earlier::ui::TMainForm window(services);
  extras->TracePort(window.BComPort1());
  window.ShowCentred();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Anything but the window's own options belongs to the command line, which
  // needs no display and so runs before any QApplication exists: a mistyped
  // verb is a usage error, never a window that cannot start.
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
  if (!tevral::IsWindowRequest(args))
    return tevral::RunCommandLine(tevral::earlier::EarlierCommandLineProgram(), argc, argv);
  return RunWindow(argc, argv);
}
