// Save, Open and the start-up load of the main window. Settings files
// always lie in the program's folder: of what the user picks in a dialog
// only the file's name counts, joined to that folder.

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "configurator/ini_file.h"
#include "configurator/settings_file.h"
#include "configurator/ui/app_texts.h"
#include "current/settings_keys.h"
#include "current/ui/main_window.h"

namespace tevral::current::ui {
namespace {

using tevral::ui::kOpenedMessage;
using tevral::ui::kSavedMessage;
using tevral::ui::kSettingsFileNotFound;

constexpr const char* kSettingsFileUnreadable = "Не вдалося прочитати файл налаштувань «%1»";

std::filesystem::path ToPath(const QString& path) {
#if defined(Q_OS_WIN)
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString ToQString(const std::filesystem::path& path) {
#if defined(Q_OS_WIN)
  return QString::fromStdWString(path.wstring());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

}  // namespace

void TMainForm::SaveSettingsFile() {
  const std::optional<QString> chosen =
      services_.dialogs->ChooseSaveFile(this, last_dialog_folder_);
  if (!chosen) return;
  last_dialog_folder_ = QFileInfo(*chosen).absolutePath();
  const std::filesystem::path target =
      SettingsPathIn(ToPath(services_.program_folder), ToPath(*chosen));
  // The question is about the file that will really change, the one in the
  // program folder, not the one picked in the dialog.
  if (SettingsFileExists(target) && !services_.dialogs->ConfirmReplace(this, ToQString(target))) {
    return;
  }
  SaveSettings(form_, target,
               CurrentSettingsKeys());  // all or nothing; SettingsWriteError to the error box
  form_.ShowMessage(kSavedMessage);
}

void TMainForm::OpenSettingsFile() {
  const std::optional<QString> chosen =
      services_.dialogs->ChooseOpenFile(this, services_.program_folder);
  if (!chosen) return;
  last_dialog_folder_ = QFileInfo(*chosen).absolutePath();
  const std::filesystem::path source =
      SettingsPathIn(ToPath(services_.program_folder), ToPath(*chosen));
  // Loading a missing file would put "?" into most fields and still report
  // success; the user is told instead, and the window keeps its values.
  if (!SettingsFileExists(source)) {
    form_.ShowError(QString::fromUtf8(kSettingsFileNotFound).arg(ToQString(source)).toStdString());
    return;
  }
  const std::optional<IniFile> file = IniFile::Load(source);
  if (!file) {
    form_.ShowError(
        QString::fromUtf8(kSettingsFileUnreadable).arg(ToQString(source)).toStdString());
    return;
  }
  LoadSettings(form_, *file, CurrentSettingsKeys());
  // A key the file lacks got its default, which may be "?": say which, so
  // the engineer does not take those fields for the file's values.
  const std::vector<std::string> missing = MissingSettingsKeys(*file, CurrentSettingsKeys());
  if (missing.empty()) {
    form_.ShowMessage(kOpenedMessage);
  } else {
    form_.ShowMessage(std::string(kOpenedMessage) + "\r\n" + std::string(kMissingKeysNotice) +
                      JoinKeys(missing));
  }
}

void TMainForm::LoadStartUpFile() {
  // The file tested is the file read: the one in the program folder,
  // whatever the working directory. No message either way.
  const std::filesystem::path path =
      ToPath(services_.program_folder) / std::string(kDefaultSettingsFileName);
  if (!SettingsFileExists(path)) return;
  if (const std::optional<IniFile> file = IniFile::Load(path)) {
    LoadSettings(form_, *file, CurrentSettingsKeys());
  }
}

}  // namespace tevral::current::ui
