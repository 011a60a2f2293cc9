#include "configurator/ui/demo_mode.h"

#include <stdexcept>

namespace tevral::ui {

namespace {

// "--name VALUE" or "--name=VALUE"; sets value and moves i past it.
bool TakeValue(const QStringList& arguments, qsizetype& i, const QString& name, QString& value) {
  const QString& argument = arguments.at(i);
  if (argument.startsWith(name + QLatin1Char('='))) {
    value = argument.mid(name.size() + 1);
    return true;
  }
  if (argument != name) return false;
  value = i + 1 < arguments.size() ? arguments.at(++i) : QString();
  return true;
}

}  // namespace

std::variant<WindowArguments, std::string> ParseWindowArguments(const QStringList& arguments) {
  WindowArguments parsed;
  bool trace_given = false;
  bool screenshot_given = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString value;
    if (arguments.at(i) == QStringLiteral("--demo")) {
      parsed.demo = true;
    } else if (TakeValue(arguments, i, QStringLiteral("--trace"), value)) {
      if (value.isEmpty()) return std::string("--trace needs a file name");
      if (trace_given) return std::string("--trace is given more than once");
      trace_given = true;
      parsed.trace = value.toStdU16String();
    } else if (TakeValue(arguments, i, QStringLiteral("--screenshot"), value)) {
      if (value.isEmpty()) return std::string("--screenshot needs a folder");
      if (screenshot_given) return std::string("--screenshot is given more than once");
      screenshot_given = true;
      parsed.screenshot_folder = value;
    } else {
      return "unknown argument '" + arguments.at(i).toStdString() + "'";
    }
  }
  return parsed;
}

WindowExtras::WindowExtras(const WindowArguments& arguments, DemoFirmware firmware) {
  if (arguments.demo) {
#ifdef TEVRAL_HAS_DEMO_PORT
    demo_ = std::make_unique<sim::DemoPort>(
        firmware == DemoFirmware::kEarlier ? sim::Firmware::kEarlier : sim::Firmware::kCurrent);
#else
    (void)firmware;
    throw std::runtime_error("Демонстраційний режим недоступний у цій системі");
#endif
  }
  if (!arguments.trace.empty()) {
    trace_ = std::make_unique<link::FileTrace>(
        arguments.trace, [this] { return traced_port_ ? traced_port_->Port() : std::string(); });
  }
}

WindowExtras::~WindowExtras() = default;

}  // namespace tevral::ui
