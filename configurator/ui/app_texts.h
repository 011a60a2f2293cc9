#pragma once
// Texts the windows of both programs show themselves (UTF-8). The panel's
// messages live with the sequences and the exchanges; these belong to the
// application shell.

namespace tevral::ui {

inline constexpr const char* kStartCaption = "Тевраль-1/2 GSM GPRS конфігуратор";
// Message boxes speak the user's language in their title too; the system
// adds the application title, the program's display name, after it.
inline constexpr const char* kMessageBoxTitle = "Тевраль-1/2 GSM GPRS конфігуратор";
inline constexpr const char* kPortsRefreshed = "Порти оновлено!";
inline constexpr const char* kSaveDialogTitle = "Збереження конфігурації";
inline constexpr const char* kOpenDialogTitle = "Відкривання конфігурації";
inline constexpr const char* kSettingsFilter = "Settings .ini (*.ini)";
inline constexpr const char* kDefaultSettingsFile = "zEdaza.ini";
// %1: the path of the file the user chose to open.
inline constexpr const char* kSettingsFileNotFound = "Файл налаштувань «%1» не знайдено";
inline constexpr const char* kLeaveUnsavedQuestion =
    "Зміни в полях не збережено у файл і не записано в ППКП. Закрити вікно без збереження?";
// %1: the path of the file that a save would replace.
inline constexpr const char* kReplaceQuestion = "Файл «%1» вже існує. Замінити його?";

}  // namespace tevral::ui
