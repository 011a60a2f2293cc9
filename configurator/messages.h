#pragma once
// The messages both programs show when a command succeeds (UTF-8), in one
// place so the window, the command line and both firmwares say the same.
// Error texts stay with what raises them: the port, the exchanges, the
// number parser, the settings files and the write checks.

namespace tevral {

inline constexpr const char* kReadSuccessMessage = "Прочитано успішно.";
inline constexpr const char* kWriteSuccessMessage = "Записано успішно.";
inline constexpr const char* kSaveSuccessMessage = "Збережено успішно.";
inline constexpr const char* kOpenSuccessMessage = "Відкрито успішно.";

}  // namespace tevral
