#include "sound_client.h"

#include "loaded_library.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

const char kEngineFileName[] = "OrbiterSound.dll";
const char kLogFileName[] = "OrbiterSound_Log.txt";
const char kLogHeader[] = "Orbiter Sound Log Started\n*****************************\n\n";
const char kLogSeparator[] = "--------------------------------------";
const char kFolderPrefix[] = "Sound\\_CustomVesselsSounds\\";

// The engine's routines. The client calls only the last two of the required set; the others are
// only checked for presence, as a sign of an engine recent enough to serve the vessel.
const char* const kRequiredRoutines[] = {
    "LoadVesselWaveOBSound3", "PlayVesselWaveOBSound3", "PlayVesselExclusiveWaveOBSound3",
    "StopVesselWave3",        "IsPlayingVesselWave3",   "IsPlayingRadioVesselWave",
    "SetFrequency",           "ReplaceStockOBSound3",   "SoundOption3",
};
const char kSoundOption[] = "SoundOption3";
const char kGetSoundId[] = "GetVesselSoundID3";
const char* const k3dRoutines[] = {"LoadVesselWave3dOBSound4", "Set3dWaveParametersOBSound4",
                                   "IsOrbiterSound3dOBSound4"};

const int kFirstOption = 1, kLastOption = 24;
const unsigned kLastSoundId = 59;

template <size_t N>
bool ResolvesAll(void* engine, const char* const (&names)[N]) {
  for (const char* name : names)
    if (LoadedLibrary::Resolve(engine, name) == nullptr) return false;
  return true;
}

SoundClient moduleClient;

}  // namespace

int SoundClient::Connect(OBJHANDLE vessel) {
  folderSet = false;
  folder[0] = '\0';
  soundOption = nullptr;
  if (vessel == nullptr) {
    WriteLog("ERR01= Vessel->ConnectToOrbiterSoundDLL: A vessel passed a NULL handle to this function", "");
    return -1;
  }
  void* engine = LoadedLibrary::Find(kEngineFileName);
  if (engine == nullptr) {
    WriteLog("ERR01= Vessel->ConnectToOrbiterSoundDLL: Unable to connect to OrbiterSound - not installed or activated",
             "");
    return -1;
  }
  if (!ResolvesAll(engine, kRequiredRoutines)) {
    WriteLog("ERR02= ConnectToOrbiterSoundDLL (4.0 SDK): Unable to find routines. Missing or outdated OrbiterSound "
             "(<3.0?)",
             "");
    return -1;
  }
  soundOption = reinterpret_cast<SoundOption3>(LoadedLibrary::Resolve(engine, kSoundOption));
  if (!ResolvesAll(engine, k3dRoutines))
    WriteLog("ERR04= Error finding OrbiterSound 4.0 (3d) function. Reverting to OrbiterSound 3.5 function (2d).", "");
  auto getSoundId = reinterpret_cast<GetVesselSoundID3>(LoadedLibrary::Resolve(engine, kGetSoundId));
  if (getSoundId == nullptr) {
    WriteLog("ERR03= unable to connect to GetMyID, Older OrbiterSound.dll ?", "");
    return -1;
  }
  return getSoundId(vessel);
}

int SoundClient::SetDefaultWaveDirectory(const char* text) {
  if (text == nullptr) {
    WriteLog("SetMyDefaultWaveDirectory - No string", "");
    return 0;
  }
  // The folder must fit with its end mark and, where it lacks one, an appended backslash; a
  // longer text is refused whole rather than cut to a different folder.
  const size_t length = std::strlen(text);
  const bool needsBackslash = length == 0 || text[length - 1] != '\\';
  if (length + (needsBackslash ? 1 : 0) + 1 > kFolderSize) {
    WriteLog("SetMyDefaultWaveDirectory - Folder name too long", "");
    return 0;
  }
  std::memcpy(folder, text, length + 1);
  if (strncasecmp(folder, kFolderPrefix, sizeof kFolderPrefix - 1) != 0) {
    WriteLog("SetMyDefaultWaveDirectory - Missing 'Sound\\_CustomVesselsSounds\\' at start", "");
    return 0;
  }
  if (needsBackslash) std::strcat(folder, "\\");
  folderSet = true;
  return 1;
}

int SoundClient::SetOption(int id, int option, int on) {
  if (soundOption == nullptr || option < kFirstOption || option > kLastOption ||
      static_cast<unsigned>(id) > kLastSoundId)
    return 0;
  return soundOption(id, option, on);
}

void SoundClient::WriteLog(const char* message, const char* detail) {
  if (logEntries >= kMaxLogEntries) return;
  // A log that can be neither read nor created, or not appended to, loses the entry; the vessel
  // goes on regardless.
  std::FILE* file = std::fopen(kLogFileName, "r");
  if (file == nullptr) {
    // A new log gets the header. Opening for appending creates the file without truncating one
    // that exists but cannot be read, so an earlier log is never lost.
    file = std::fopen(kLogFileName, "a");
    if (file == nullptr) return;
    if (std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) == 0) std::fputs(kLogHeader, file);
  }
  std::fclose(file);
  file = std::fopen(kLogFileName, "a");
  if (file == nullptr) return;
  std::fprintf(file, "%s\n", kLogSeparator);
  if (message != nullptr) std::fprintf(file, "%s\n", message);
  if (detail != nullptr) std::fprintf(file, "%s\n", detail);
  ++logEntries;
  std::fclose(file);
}

int ConnectToOrbiterSoundDLL(OBJHANDLE vessel) { return moduleClient.Connect(vessel); }
int SetMyDefaultWaveDirectory(const char* folder) { return moduleClient.SetDefaultWaveDirectory(folder); }
int SetSoundOption(int id, int option, int on) { return moduleClient.SetOption(id, option, on); }
void WriteSoundLog(const char* message, const char* detail) { moduleClient.WriteLog(message, detail); }
