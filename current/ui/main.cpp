// terminal: the configurator window; with arguments, the command line.

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <cstring>
#include <string_view>

#include "current/ui/app_texts.h"
#include "current/ui/desktop_services.h"
#include "current/ui/main_window.h"
#include "current/ui/skin.h"
#include "current/ui/user_dialogs.h"

#if __has_include("current/command_line.h")
#include "current/command_line.h"
#define TEVRAL_HAS_COMMAND_LINE 1
#endif

namespace {

#ifdef TEVRAL_HAS_COMMAND_LINE
// The verbs that belong to the command line; everything else is the
// window's. The command line needs no display, so it runs before any
// QApplication exists.
bool IsCommandLineVerb(std::string_view argument) {
  return argument == "read" || argument == "write" || argument == "--help" || argument == "-h";
}
#endif

// Hidden option for the documentation: renders the main window and the
// about window into DIR/terminal.png and DIR/terminal-about.png and ends.
int SavePictures(tevral::ui::TMainForm& window, const QString& folder) {
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

  tevral::ui::QtUserDialogs dialogs(QString::fromUtf8(tevral::ui::kApplicationTitle));
  tevral::ui::SystemDesktopServices desktop;
  tevral::ui::MainFormServices services;
  services.dialogs = &dialogs;
  services.desktop = &desktop;
  services.program_folder = QDir::toNativeSeparators(QApplication::applicationDirPath());

  tevral::ui::TMainForm window(services);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() == 3 && arguments.at(1) == QStringLiteral("--screenshot")) {
    return SavePictures(window, arguments.at(2));
  }
  window.ShowCentred();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
#ifdef TEVRAL_HAS_COMMAND_LINE
  if (argc > 1 && IsCommandLineVerb(argv[1])) return tevral::RunCommandLine(argc, argv);
#endif
  return RunWindow(argc, argv);
}
