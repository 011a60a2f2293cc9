#pragma once
// Texts the windows of both programs show themselves (UTF-8). The panel's
// messages live with the sequences and the exchanges; these belong to the
// application shell.

namespace tevral::ui {

inline constexpr const char* kStartCaption = "Тевраль-1/2 GSM GPRS конфігуратор";
inline constexpr const char* kPortsRefreshed = "Порти оновлено!";
inline constexpr const char* kSavedMessage = "Збережено успішно.";
inline constexpr const char* kOpenedMessage = "Відкрито успішно.";
inline constexpr const char* kSaveDialogTitle =
    "Збереження конфігурації (повинна знаходитися в папці з .ехе)";
inline constexpr const char* kOpenDialogTitle =
    "Відкривання конфігурації (повинна знаходитися в папці з .ехе)";
inline constexpr const char* kSettingsFilter = "Settings .ini (*.ini)";
inline constexpr const char* kDefaultSettingsFile = "zEdaza.ini";
// %1: the path of the file that was looked for in the program folder.
inline constexpr const char* kSettingsFileNotFound = "Файл налаштувань «%1» не знайдено";
// %1: the path of the file that a save would replace.
inline constexpr const char* kReplaceQuestion = "Файл «%1» вже існує. Замінити його?";

}  // namespace tevral::ui
