// The varnsim command line:
//   varnsim run SCENARIO [--until SECONDS] [--dt SECONDS] [--script FILE] [--save FILE]
//                        [--dump FILE] [--trace FILE] [--workdir DIR] [--host-build N]
//                        [--hud WIDTHxHEIGHT] [--sound] [--modules DIR] [--config DIR]
//                        [--flight-model N]
//   varnsim modules [--modules DIR] [--config DIR]
#pragma once

#include <string>

namespace varn {

struct CommandLine {
  std::string command;  // "run" or "modules"
  std::string scenario;
  double until = 10;
  double dt = 0.02;
  std::string script, save, dump, trace, workdir;
  int hostBuild = 0;  // 0: the host's default
  int flightModel = 1;
  int hudWidth = 1024, hudHeight = 768;
  bool sound = false;
  std::string modulesDir, configDir;
};

// Parses the arguments; false with a message if they are not a valid command.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& cl, std::string& error);

// Runs the program: prints results and messages, returns the exit code.
int RunVarnsim(int argc, const char* const* argv);

}  // namespace varn
