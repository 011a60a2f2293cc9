#pragma once
// Qt's own texts (the file dialogs, the standard buttons, the line edit's
// menu) in Ukrainian, like everything else the program says, and the
// program named by its application title wherever the system shows a
// program's name (task bar, window manager).

#include <QString>

class QApplication;

namespace tevral::ui {

// Loads Qt's Ukrainian translation into the application (from Qt's
// translations folder, or a "translations" folder beside the program as
// a Windows installation has it) and sets the display name. Returns
// whether the translation was found; without it Qt's texts stay English.
bool SpeakUkrainian(QApplication& application, const QString& application_title);

}  // namespace tevral::ui
