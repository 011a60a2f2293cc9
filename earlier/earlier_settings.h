#pragma once
// The earlier program keeps its settings in one fixed file, "zEdaza.ini"
// in the program's folder: 29 keys, the same INI rules as the current
// program's files. A missing file is reported at start-up; the first save
// creates it, so a fresh install can keep its settings.

#include <filesystem>

#include "configurator/form.h"
#include "configurator/messages.h"
#include "configurator/settings_file.h"

namespace tevral::earlier {

// The 29 keys in the order they are written and read: the port's position
// in the list, then the panel settings (the speed is not kept).
SettingsKeySet EarlierSettingsKeys();

inline constexpr const char* kOpenErrorMessage = "Open Error: missing zEdaza.ini";

// The fixed file in `program_folder`.
std::filesystem::path EarlierSettingsPath(const std::filesystem::path& program_folder);

// Start-up: fills the form from the file in `program_folder`, key by key
// with the defaults of the key set. The file tested for is the file read.
// When it is missing the form keeps its defaults and the open error is
// shown; returns whether the file was loaded.
bool LoadEarlierStartupSettings(Form& form, const std::filesystem::path& program_folder);

// Saves the form into the file in `program_folder`, all or nothing, and
// shows the success message with the file's path on a second line. A
// missing file is created with every key. A write that fails throws
// SettingsWriteError for the caller's error box, the old file untouched.
void SaveEarlierSettings(Form& form, const std::filesystem::path& program_folder);

}  // namespace tevral::earlier
