#pragma once
// Texts the current program's window shows itself (UTF-8); the texts both
// windows share are in configurator/ui/app_texts.h.

namespace tevral::current::ui {

inline constexpr const char* kApplicationTitle = "Tevral-1/2 GSM GPRS configurator (v.0.7)";
inline constexpr const char* kAboutCaption = "Про програму (v.0.7)";

}  // namespace tevral::current::ui
