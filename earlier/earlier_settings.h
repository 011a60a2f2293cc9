#pragma once
// The earlier program keeps its settings in one fixed file, "zEdaza.ini"
// in the program's folder: 29 keys, the same INI rules as the current
// program's files. The file is never created by the program: a missing
// file is reported at start-up and when saving.

#include <filesystem>

#include "configurator/form.h"
#include "configurator/settings_file.h"

namespace tevral::earlier {

// The 29 keys in the order they are written and read: the port's position
// in the list, then the panel settings (the speed is not kept).
SettingsKeySet EarlierSettingsKeys();

inline constexpr const char* kOpenErrorMessage = "Open Error: missing zEdaza.ini";
inline constexpr const char* kSaveErrorMessage = "Save Error: missing zEdaza.ini";
inline constexpr const char* kSaveSuccessMessage = "Збережено успішно.";

// The fixed file in `program_folder`.
std::filesystem::path EarlierSettingsPath(const std::filesystem::path& program_folder);

// Start-up: fills the form from the file in `program_folder`, key by key
// with the defaults of the key set. The file tested for is the file read.
// When it is missing the form keeps its defaults and the open error is
// shown; returns whether the file was loaded.
bool LoadEarlierStartupSettings(Form& form, const std::filesystem::path& program_folder);

// Saves the form into the file in `program_folder`, all or nothing, and
// shows the success message. When the file is missing it shows the save
// error and writes nothing. Returns whether the file was written; a write
// that fails throws SettingsWriteError for the caller's error box, the old
// file untouched.
bool SaveEarlierSettings(Form& form, const std::filesystem::path& program_folder);

}  // namespace tevral::earlier
