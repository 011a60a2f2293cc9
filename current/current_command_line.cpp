#include "current/current_command_line.h"

#include "current/current_comparison.h"
#include "current/fields.h"
#include "current/read_sequence.h"
#include "current/settings_keys.h"
#include "current/write_sequence.h"

namespace tevral::current {

CommandLineProgram CurrentCommandLineProgram() {
  CommandLineProgram program;
  program.name = "terminal";
  program.version = "0.7";
  program.comparison = CurrentComparisonPlan();
  program.fields = CurrentFields();
  program.keys = CurrentSettingsKeys();
  program.read = ReadFromPanel;
  program.write = WriteToPanel;
  program.list_ports = SystemSerialPorts;
  return program;
}

}  // namespace tevral::current
