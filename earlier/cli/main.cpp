// terminal-earlier without a window (a build without Qt): the command line
// alone.

#include "earlier/earlier_command_line.h"

int main(int argc, char** argv) {
  return tevral::RunCommandLine(tevral::earlier::EarlierCommandLineProgram(), argc, argv);
}
