#pragma once
// The settings keys of the current program's files.

#include "configurator/settings_file.h"

namespace tevral::current {

// The 26 keys of the current program in the order they are written and
// read: the port's position in the list, then the 25 panel settings (the
// speed is not kept).
SettingsKeySet CurrentSettingsKeys();

}  // namespace tevral::current
