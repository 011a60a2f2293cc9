// Save, Open and the start-up load of the main window. A settings file is
// the file the user chose, in whatever folder it was chosen; the dialogs
// open in the program folder, where the files have always been kept, and
// then in the folder of the last file chosen.

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "configurator/ini_file.h"
#include "configurator/messages.h"
#include "configurator/settings_file.h"
#include "configurator/ui/app_texts.h"
#include "current/settings_keys.h"
#include "current/ui/main_window.h"

namespace tevral::current::ui {
namespace {

using tevral::ui::kSettingsFileNotFound;

constexpr const char* kSettingsFileUnreadable = "Не вдалося прочитати файл налаштувань «%1»";

std::filesystem::path ToPath(const QString& path) {
#if defined(Q_OS_WIN)
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace

QString TMainForm::DialogFolder() const {
  return last_dialog_folder_.isEmpty() ? services_.program_folder : last_dialog_folder_;
}

void TMainForm::SaveSettingsFile() {
  const std::optional<QString> chosen = services_.dialogs->ChooseSaveFile(this, DialogFolder());
  if (!chosen) return;
  last_dialog_folder_ = QFileInfo(*chosen).absolutePath();
  const std::filesystem::path target = ToPath(*chosen);
  // The dialog does not ask about an existing file; the window does, in
  // its own words.
  if (SettingsFileExists(target) && !services_.dialogs->ConfirmReplace(this, *chosen)) return;
  // All or nothing; SettingsWriteError to the error box.
  SaveSettings(form_, target, CurrentSettingsKeys());
  MarkFieldsSaved();
  form_.ShowMessage(SavedMessage(target));
}

void TMainForm::OpenSettingsFile() {
  const std::optional<QString> chosen = services_.dialogs->ChooseOpenFile(this, DialogFolder());
  if (!chosen) return;
  last_dialog_folder_ = QFileInfo(*chosen).absolutePath();
  const std::filesystem::path source = ToPath(*chosen);
  // Loading a missing file would put "?" into most fields and still report
  // success; the user is told instead, and the window keeps its values.
  if (!SettingsFileExists(source)) {
    form_.ShowError(QString::fromUtf8(kSettingsFileNotFound).arg(*chosen).toStdString());
    return;
  }
  const std::optional<IniFile> file = IniFile::Load(source);
  if (!file) {
    form_.ShowError(QString::fromUtf8(kSettingsFileUnreadable).arg(*chosen).toStdString());
    return;
  }
  LoadSettings(form_, *file, CurrentSettingsKeys());
  MarkFieldsSaved();
  // A key the file lacks got its default, which may be "?": say which, so
  // the engineer does not take those fields for the file's values.
  const std::vector<std::string> missing = MissingSettingsKeys(*file, CurrentSettingsKeys());
  if (missing.empty()) {
    form_.ShowMessage(OpenedMessage(source));
  } else {
    form_.ShowMessage(OpenedMessage(source) + "\r\n" + std::string(kMissingKeysNotice) +
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
