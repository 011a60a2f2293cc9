// terminal: the configurator window (with --demo, --trace LOG); with read,
// write or --help, the command line.

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
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
#include "current/current_command_line.h"
#include "current/ui/current_app_texts.h"
#include "current/ui/main_window.h"

namespace {

// Hidden option for the documentation: renders the main window and the
// about window into DIR/terminal.png and DIR/terminal-about.png and ends.
int SavePictures(tevral::current::ui::TMainForm& window, const QString& folder) {
  QCursor::setPos(0, 0);  // away from the links, which change colour under it
  window.ShowCentred();
  window.FormHelp().ShowAbout();
  QApplication::processEvents();
  const bool saved = window.grab().save(folder + QStringLiteral("/terminal.png")) &&
                     window.FormHelp().grab().save(folder + QStringLiteral("/terminal-about.png"));
  return saved ? 0 : 1;
}

int RunWindow(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("terminal"));
  tevral::ui::ApplySkin(application);
  tevral::ui::SpeakUkrainian(application,
                             QString::fromUtf8(tevral::current::ui::kApplicationTitle));

  tevral::ui::QtUserDialogs dialogs(QString::fromUtf8(tevral::ui::kMessageBoxTitle));
  const auto parsed = tevral::ui::ParseWindowArguments(QApplication::arguments().mid(1));
  if (const auto* mistake = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "terminal: %s\nRun 'terminal --help' for usage.\n", mistake->c_str());
    return 2;
  }
  const auto& arguments = std::get<tevral::ui::WindowArguments>(parsed);

  tevral::ui::SystemDesktopServices desktop;
  tevral::ui::MainFormServices services;
  services.dialogs = &dialogs;
  services.desktop = &desktop;
  services.program_folder = QDir::toNativeSeparators(QApplication::applicationDirPath());

  // The demo panel and the trace file live as long as the window.
  std::unique_ptr<tevral::ui::WindowExtras> extras;
  try {
    extras =
        std::make_unique<tevral::ui::WindowExtras>(arguments, tevral::ui::DemoFirmware::kCurrent);
  } catch (const std::exception& error) {
    dialogs.Error(nullptr, QString::fromStdString(tevral::ErrorBoxText(error.what())));
    return 1;
  }
  extras->Apply(services);

  tevral::current::ui::TMainForm window(services);
  extras->TracePort(window.BComPort1());
  if (!arguments.screenshot_folder.isEmpty()) {
    return SavePictures(window, arguments.screenshot_folder);
  }
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
    return tevral::RunCommandLine(tevral::current::CurrentCommandLineProgram(), argc, argv);
  return RunWindow(argc, argv);
}
