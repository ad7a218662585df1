#include "command_line.h"

#include <cstdlib>
#include <cstring>

namespace varn {

namespace {
bool Number(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return *text && *end == '\0';
}

bool Integer(const char* text, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  value = static_cast<int>(parsed);
  return *text && *end == '\0';
}
}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& cl, std::string& error) {
  if (argc < 2) {
    error = "usage: varnsim run SCENARIO [options] | varnsim modules [--modules DIR] [--config DIR]";
    return false;
  }
  cl.command = argv[1];
  if (cl.command != "run" && cl.command != "modules") {
    error = "unknown command '" + cl.command + "' (run or modules)";
    return false;
  }
  int i = 2;
  if (cl.command == "run") {
    if (argc < 3 || argv[2][0] == '-') {
      error = "varnsim run needs a scenario file";
      return false;
    }
    cl.scenario = argv[i++];
  }
  for (; i < argc; ++i) {
    const std::string option = argv[i];
    const bool isRunOption = option != "--modules" && option != "--config";
    if (cl.command == "modules" && isRunOption) {
      error = "option " + option + " does not apply to varnsim modules";
      return false;
    }
    if (option == "--sound") {
      cl.sound = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = "option " + option + " needs a value";
      return false;
    }
    const char* value = argv[++i];
    auto bad = [&](const char* what) {
      error = "option " + option + ": '" + value + "' is not " + what;
      return false;
    };
    if (option == "--until") {
      if (!Number(value, cl.until) || cl.until < 0) return bad("a number of seconds");
    } else if (option == "--dt") {
      if (!Number(value, cl.dt) || cl.dt <= 0) return bad("a positive number of seconds");
    } else if (option == "--host-build") {
      if (!Integer(value, cl.hostBuild) || cl.hostBuild <= 0) return bad("a build number");
    } else if (option == "--flight-model") {
      if (!Integer(value, cl.flightModel) || cl.flightModel < 0) return bad("0 or 1");
    } else if (option == "--hud") {
      int w = 0, h = 0;
      char extra = 0;
      if (std::sscanf(value, "%dx%d%c", &w, &h, &extra) != 2 || w <= 0 || h <= 0) return bad("WIDTHxHEIGHT");
      cl.hudWidth = w, cl.hudHeight = h;
    } else if (option == "--script") {
      cl.script = value;
    } else if (option == "--save") {
      cl.save = value;
    } else if (option == "--dump") {
      cl.dump = value;
    } else if (option == "--trace") {
      cl.trace = value;
    } else if (option == "--workdir") {
      cl.workdir = value;
    } else if (option == "--modules") {
      cl.modulesDir = value;
    } else if (option == "--config") {
      cl.configDir = value;
    } else {
      error = "unknown option " + option;
      return false;
    }
  }
  return true;
}

}  // namespace varn
