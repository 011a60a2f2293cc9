// terminal without a window (a build without Qt): the command line alone.

#include "current/current_command_line.h"

int main(int argc, char** argv) {
  return tevral::RunCommandLine(tevral::current::CurrentCommandLineProgram(), argc, argv);
}
