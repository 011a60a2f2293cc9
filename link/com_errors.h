#pragma once
// EComPort and its fixed messages (UTF-8). The Cyrillic "СОМ" in
// kNoSuchPort is deliberate: it is the text engineers know.

#include <stdexcept>
#include <string>

namespace tevral::link {

class EComPort : public std::runtime_error {
 public:
  explicit EComPort(const std::string& message) : std::runtime_error(message) {}
};

namespace com_message {
inline constexpr const char* kNoSuchPort = "Спроба відкрити неіснуючий СОМ-порт";
inline constexpr const char* kPortBusy = "Порт зайнятий іншою програмою";
// The system refuses this user the device itself (on Linux: not in the
// dialout group). Saying "busy" here would send the engineer looking for a
// program that does not exist, so the message says what to do instead.
inline constexpr const char* kPermissionDenied =
    "Немає дозволу відкрити порт. Додайте користувача до групи dialout "
    "(sudo usermod -aG dialout $USER) і увійдіть знову";
inline constexpr const char* kSetupComm = "Помилка функції SetupComm";
inline constexpr const char* kSetCommState = "Помилка функції SetCommState";
inline constexpr const char* kSetCommTimeouts = "Помилка функції SetCommTimeouts";
inline constexpr const char* kWriteFailed = "Помилка запису в порт";
inline constexpr const char* kReadFailed = "Помилка читання з порта";
inline constexpr const char* kPurgeComm = "Помилка функції PurgeComm";
inline constexpr const char* kClearCommError = "Помилка функції ClearCommError";
inline constexpr const char* kGetCommModemStatus = "Помилка функції GetCommModemStatus";
inline constexpr const char* kEscapeCommFunction = "Помилка функції EscapeCommFunction";
inline constexpr const char* kPropertyWhileOpen =
    "Неможна змінювати властивості, доки порт відкритий";
inline constexpr const char* kRegistry = "Помилка звернення до системного реєстру";
}  // namespace com_message

}  // namespace tevral::link
