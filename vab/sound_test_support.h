// Test helpers for the sound log, which the client writes by relative name into the process's
// working directory.
#pragma once

#include "host_api.h"

#include <string>

namespace vabtest {

const char kLogFile[] = "OrbiterSound_Log.txt";
const char kLogHeader[] = "Orbiter Sound Log Started\n*****************************\n\n";

// A fresh temporary folder that is the working directory while the object lives.
class TempWorkDir {
 public:
  TempWorkDir();
  ~TempWorkDir();
  TempWorkDir(const TempWorkDir&) = delete;
  TempWorkDir& operator=(const TempWorkDir&) = delete;
  const std::string& Path() const { return path; }

 private:
  std::string previous;
  std::string path;
};

// The whole file, or "<absent>" when it cannot be read.
std::string ReadFile(const std::string& name);
// One log entry as the client writes it for a message with an empty detail.
std::string LogEntry(const std::string& message);
const char kNotInstalled[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL: Unable to connect to OrbiterSound - not installed or activated";

// A vessel handle for calling the client directly; the client only passes it to the engine.
OBJHANDLE SomeVessel();

}  // namespace vabtest
