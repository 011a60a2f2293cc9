#include "earlier/earlier_command_line.h"

#include "earlier/earlier_comparison.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_settings.h"
#include "earlier/earlier_write_sequence.h"

namespace tevral::earlier {

CommandLineProgram EarlierCommandLineProgram() {
  CommandLineProgram program;
  program.name = "terminal-earlier";
  program.version = "0.5";
  program.chooses_files = false;
  program.comparison = EarlierComparisonPlan();
  program.fields = EarlierFields();
  program.keys = EarlierSettingsKeys();
  program.read = ReadFromEarlierPanel;
  program.write = [](PanelSession& session) { return WriteToEarlierPanel(session); };
  program.list_ports = SystemSerialPorts;
  return program;
}

}  // namespace tevral::earlier
