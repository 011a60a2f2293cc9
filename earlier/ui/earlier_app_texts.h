#pragma once
// Texts the earlier program's window shows itself (UTF-8). The messages of
// the settings file and of the panel sequences live with them in earlier/.

namespace tevral::earlier::ui {

inline constexpr const char* kApplicationTitle = "Tevral-1/2 GSM GPRS configurator (v.0.5)";
inline constexpr const char* kStartCaption = "Тевраль-1/2 GSM GPRS конфігуратор";
inline constexpr const char* kAboutCaption = "Про програму (v.0.5)";

}  // namespace tevral::earlier::ui
