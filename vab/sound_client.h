// The client through which a vessel module talks to the host's sound engine. The engine is a
// library that the host has already loaded ("OrbiterSound.dll"); the client borrows it, binds its
// routines by name, asks it for the vessel's sound id and switches engine options for that id.
// Every problem goes to the log file "OrbiterSound_Log.txt" in the working directory and is
// answered with a neutral result, so the vessel works on without sound.
//
// Calling order: once after the vessel is created, ConnectToOrbiterSoundDLL with the vessel's
// own handle, then SetMyDefaultWaveDirectory, then SetSoundOption with the id the connection
// returned. Host simulation thread only.
#pragma once

#include "host_api.h"

#include <cstddef>

// One connection's worth of state. A module keeps one, shared by all of its vessels; the last
// connection wins.
class SoundClient {
 public:
  static const size_t kFolderSize = 512;  // bytes, with the end mark and the appended backslash
  static const int kMaxLogEntries = 101;  // per module load

  // The vessel's sound id as the engine gives it, or -1.
  int Connect(OBJHANDLE vessel);
  // 1 when the folder was stored (with a trailing backslash), 0 when refused.
  int SetDefaultWaveDirectory(const char* folder);
  // The engine's answer, or 0 without an engine call for an unbound engine or a bad option or id.
  int SetOption(int id, int option, int on);
  // Appends an entry (separator, message, detail; a null text is left out) to the log file.
  void WriteLog(const char* message, const char* detail);

  bool FolderSet() const { return folderSet; }
  const char* DefaultWaveDirectory() const { return folder; }

 private:
  using SoundOption3 = int (*)(int id, int option, int on);
  using GetVesselSoundID3 = int (*)(OBJHANDLE vessel);

  SoundOption3 soundOption = nullptr;  // bound once a connection found every required routine
  bool folderSet = false;
  char folder[kFolderSize] = {};
  int logEntries = 0;
};

// The module-wide client, under the names vessel code calls.
int ConnectToOrbiterSoundDLL(OBJHANDLE vessel);
int SetMyDefaultWaveDirectory(const char* folder);
int SetSoundOption(int id, int option, int on);
void WriteSoundLog(const char* message, const char* detail);
