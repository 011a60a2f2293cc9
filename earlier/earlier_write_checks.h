#pragma once
// What a write checks before it opens the port. The panel is written field
// by field with no undo, so everything that would not convert or would not
// fit the panel's memory is refused here, and a refused write sends
// nothing: no half-written panel.

#include <optional>
#include <string>

#include "configurator/form.h"

namespace tevral::earlier {

// The message of the first check the window fails, in the order the checks
// are listed in write_check; nothing when the write may go ahead.
std::optional<std::string> CheckEarlierWrite(const Form& form);

namespace write_check {
// Lengths of the server entries, access points and keep-alive text.
inline constexpr const char* kIp1 = "Невідповідність кількості знаків в полі \"IP-адреса 1\"";
inline constexpr const char* kIp2 = "Невідповідність кількості знаків в полі \"IP-адреса 2\"";
inline constexpr const char* kPoint1 =
    "Невідповідність кількості знаків в полі \"Точка доступу 1\"";
inline constexpr const char* kPoint2 =
    "Невідповідність кількості знаків в полі \"Точка доступу 2\"";
inline constexpr const char* kKeepAliveText =
    "Невідповідність кількості знаків в полі \"Передачі для підтримки GPRS сесії\"";

// Values that would not convert or not fit, in the order the write sends
// them.
inline constexpr const char* kNomerAlterChars =
    "В полі \"Номер аварійної передачі\" допустимі лише цифри 0-9 та A";
inline constexpr const char* kNomerAlterLength =
    "Невідповідність кількості знаків в полі \"Номер аварійної передачі\"";
inline constexpr const char* kPasswordChars = "В полі \"Пароль\" допустимі лише цифри 0-9";
inline constexpr const char* kPasswordLength = "Невідповідність кількості знаків в полі \"Пароль\"";
inline constexpr const char* kLocalPort1Chars =
    "В полі \"Локальний порт 1\" допустимі лише цифри 0-9";
inline constexpr const char* kLocalPort1Length =
    "Невідповідність кількості знаків в полі \"Локальний порт 1\"";
inline constexpr const char* kLocalPort2Chars =
    "В полі \"Локальний порт 2\" допустимі лише цифри 0-9";
inline constexpr const char* kLocalPort2Length =
    "Невідповідність кількості знаків в полі \"Локальний порт 2\"";
inline constexpr const char* kProtocol = "Не вибрано протокол в полі \"Протокол\"";
inline constexpr const char* kObjectLength = "Невідповідність кількості знаків в полі \"Об'єкт №\"";
inline constexpr const char* kObjectChars =
    "В полі \"Об'єкт №\" допустимі лише шістнадцяткові цифри 0-9, A-F";
inline constexpr const char* kPeriodChars = "В полі \"Період\" допустимі лише цифри 0-9";
inline constexpr const char* kPeriodRange = "Значення в полі \"Період\" повинно бути від 2 до 255";
inline constexpr const char* kSuffix =
    "В полі \"$\" допустимі лише дві шістнадцяткові цифри (або порожнє поле)";
inline constexpr const char* kSurGardPrefixLength =
    "Невідповідність кількості знаків в полі \"Префікс SUR-GARD\" (не більше 14)";
inline constexpr const char* kIp1Chars =
    "В полі \"IP-адреса 1\" допустимі лише цифри та крапки (доменне ім'я - з позначкою DNS)";
inline constexpr const char* kPort1Chars = "В полі \"Порт сервера 1\" допустимі лише цифри 0-9";
inline constexpr const char* kIp2Chars =
    "В полі \"IP-адреса 2\" допустимі лише цифри та крапки (доменне ім'я - з позначкою DNS)";
inline constexpr const char* kPort2Chars = "В полі \"Порт сервера 2\" допустимі лише цифри 0-9";
inline constexpr const char* kScheduleChars =
    "В полі \"Передача тестів повідомленням\" допустимі лише цифри 0-9";
inline constexpr const char* kScheduleRange =
    "Значення в полі \"Передача тестів повідомленням\" повинні бути від 0 до 255";
}  // namespace write_check

// The decimal value of a text of decimal digits only; nothing for an empty
// text, any other character or a value above 255. The checks and the
// encoders agree on this one reading of a byte-sized number.
std::optional<int> ByteValue(const std::string& text);

}  // namespace tevral::earlier
