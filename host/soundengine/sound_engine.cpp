// The sound engine stand-in: a library named as the engine that vessel modules look for in the
// process, exporting the engine's routines by name. It plays nothing; it records every call it
// receives, one line each ("SoundOption3 1 5 1 -> 1"), for the host's dump and for tests.
// Variants by compile definition:
//   SOUND_ENGINE_WITHOUT_3D        leaves out the three 3D routines (an older engine)
//   SOUND_ENGINE_WITHOUT_REQUIRED  leaves out "SetFrequency" (an engine too old to serve)
// It depends on nothing but the C library, so that it loads into any process.

#include <cstdarg>
#include <cstdio>

#define ENGINE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const int kMaxVessels = 60;  // sound ids 0..59

char callLog[64 * 1024];
size_t callLogLength = 0;
const void* vessels[kMaxVessels];
int vesselCount = 0;

// Appends one line to the call log; a full log keeps what it has.
void Record(const char* format, ...) {
  const size_t room = sizeof callLog - callLogLength;
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(callLog + callLogLength, room, format, args);
  va_end(args);
  if (written < 0 || static_cast<size_t>(written) + 1 >= room) {
    callLog[callLogLength] = '\0';
    return;
  }
  callLogLength += written;
  callLog[callLogLength++] = '\n';
  callLog[callLogLength] = '\0';
}

int Answer(const char* routine, int result) {
  Record("%s -> %d", routine, result);
  return result;
}

}  // namespace

ENGINE_EXPORT const char* SoundEngineCallLog() { return callLog; }

// A vessel keeps the id it was first given; ids are handed out from 1, -1 once all are taken.
ENGINE_EXPORT int GetVesselSoundID3(const void* vessel) {
  for (int i = 0; i < vesselCount; ++i)
    if (vessels[i] == vessel) return Answer("GetVesselSoundID3", i + 1);
  if (vesselCount + 1 >= kMaxVessels) return Answer("GetVesselSoundID3", -1);
  vessels[vesselCount++] = vessel;
  return Answer("GetVesselSoundID3", vesselCount);
}

ENGINE_EXPORT int SoundOption3(int id, int option, int on) {
  Record("SoundOption3 %d %d %d -> 1", id, option, on);
  return 1;
}

ENGINE_EXPORT int LoadVesselWaveOBSound3(int id, int wave, const char* file, int type) {
  Record("LoadVesselWaveOBSound3 %d %d %s %d -> 1", id, wave, file ? file : "(null)", type);
  return 1;
}

ENGINE_EXPORT int PlayVesselWaveOBSound3(int id, int wave, int loop, int volume) {
  Record("PlayVesselWaveOBSound3 %d %d %d %d -> 1", id, wave, loop, volume);
  return 1;
}

ENGINE_EXPORT int PlayVesselExclusiveWaveOBSound3(int id, int wave, int loop, int volume) {
  Record("PlayVesselExclusiveWaveOBSound3 %d %d %d %d -> 1", id, wave, loop, volume);
  return 1;
}

ENGINE_EXPORT int StopVesselWave3(int id, int wave) {
  Record("StopVesselWave3 %d %d -> 1", id, wave);
  return 1;
}

ENGINE_EXPORT int IsPlayingVesselWave3(int id, int wave) {
  Record("IsPlayingVesselWave3 %d %d -> 0", id, wave);
  return 0;
}

ENGINE_EXPORT int IsPlayingRadioVesselWave(int id) {
  Record("IsPlayingRadioVesselWave %d -> 0", id);
  return 0;
}

#ifndef SOUND_ENGINE_WITHOUT_REQUIRED
ENGINE_EXPORT int SetFrequency(int id, int wave, int frequency) {
  Record("SetFrequency %d %d %d -> 1", id, wave, frequency);
  return 1;
}
#endif

ENGINE_EXPORT int ReplaceStockOBSound3(int id, const char* file, int stockSound) {
  Record("ReplaceStockOBSound3 %d %s %d -> 1", id, file ? file : "(null)", stockSound);
  return 1;
}

#ifndef SOUND_ENGINE_WITHOUT_3D
ENGINE_EXPORT int LoadVesselWave3dOBSound4(int id, int wave, const char* file, int type) {
  Record("LoadVesselWave3dOBSound4 %d %d %s %d -> 1", id, wave, file ? file : "(null)", type);
  return 1;
}

ENGINE_EXPORT int Set3dWaveParametersOBSound4(int id, int wave, float minDistance, float maxDistance) {
  Record("Set3dWaveParametersOBSound4 %d %d %g %g -> 1", id, wave, minDistance, maxDistance);
  return 1;
}

ENGINE_EXPORT int IsOrbiterSound3dOBSound4() { return Answer("IsOrbiterSound3dOBSound4", 1); }
#endif
