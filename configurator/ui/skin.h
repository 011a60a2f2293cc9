#pragma once
// The look of both programs: Qt's Fusion style with one palette of cool
// greys and blue, the same on every desktop, and the icons compiled into
// the program.

class QApplication;

namespace tevral::ui {

// Makes the icons (":/icons/...") available; safe to call more than once.
void LoadIconResources();

// Style, palette and the default font for the whole application.
void ApplySkin(QApplication& application);

}  // namespace tevral::ui
