// The sound client and the building against the sound engine stand-in, in each of its variants.
// Each test loads one variant into the process and unloads it again, so that no test sees
// another's engine under the same file name.

#include "loaded_library.h"
#include "sound_client.h"
#include "sound_test_support.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>

namespace vabtest {
namespace {

const char kEngineFile[] = "OrbiterSound.dll";

class WithEngine : public testing::Test {
 protected:
  void Load(const char* path) {
    ASSERT_EQ(LoadedLibrary::Find(kEngineFile), nullptr) << "an engine is still loaded";
    engine = dlopen(path, RTLD_NOW | RTLD_GLOBAL);
    ASSERT_NE(engine, nullptr) << dlerror();
  }

  void TearDown() override {
    if (engine == nullptr) return;
    dlclose(engine);
    EXPECT_EQ(LoadedLibrary::Find(kEngineFile), nullptr) << "the engine did not unload";
  }

  std::string CallLog() const {
    auto callLog = reinterpret_cast<const char* (*)()>(dlsym(engine, "SoundEngineCallLog"));
    return callLog ? callLog() : "<no call log>";
  }

  TempWorkDir dir;
  void* engine = nullptr;
};

TEST_F(WithEngine, CompleteEngineGivesAnIdAndTakesOptionsInRange) {
  Load(SOUND_ENGINE_COMPLETE);
  SoundClient client;
  EXPECT_EQ(client.Connect(SomeVessel()), 1);
  EXPECT_EQ(client.SetDefaultWaveDirectory("Sound\\_CustomVesselsSounds\\TARPON2"), 1);
  EXPECT_STREQ(client.DefaultWaveDirectory(), "Sound\\_CustomVesselsSounds\\TARPON2\\");
  const struct {
    int id, option, result;
  } calls[] = {{1, 1, 1}, {59, 24, 1}, {0, 5, 1}, {1, 0, 0}, {1, 25, 0}, {60, 1, 0}, {-1, 1, 0}};
  for (const auto& call : calls) EXPECT_EQ(client.SetOption(call.id, call.option, 1), call.result) << call.id;
  EXPECT_EQ(CallLog(),
            "GetVesselSoundID3 -> 1\n"
            "SoundOption3 1 1 1 -> 1\n"
            "SoundOption3 59 24 1 -> 1\n"
            "SoundOption3 0 5 1 -> 1\n");
  EXPECT_EQ(ReadFile(kLogFile), "<absent>");
}

TEST_F(WithEngine, EngineWithout3dRoutinesStillConnects) {
  Load(SOUND_ENGINE_NO3D);
  SoundClient client;
  EXPECT_EQ(client.Connect(SomeVessel()), 1);
  EXPECT_EQ(ReadFile(kLogFile),
            kLogHeader + LogEntry("ERR04= Error finding OrbiterSound 4.0 (3d) function. Reverting to OrbiterSound 3.5 "
                                  "function (2d)."));
  EXPECT_EQ(client.SetOption(1, 5, 1), 1);
}

TEST_F(WithEngine, EngineWithoutARequiredRoutineIsNotUsed) {
  Load(SOUND_ENGINE_INCOMPLETE);
  SoundClient client;
  EXPECT_EQ(client.Connect(SomeVessel()), -1);
  EXPECT_EQ(ReadFile(kLogFile), kLogHeader + LogEntry("ERR02= ConnectToOrbiterSoundDLL (4.0 SDK): Unable to find "
                                                      "routines. Missing or outdated OrbiterSound (<3.0?)"));
  EXPECT_EQ(client.SetOption(1, 5, 1), 0);
  EXPECT_EQ(CallLog(), "");
}

TEST_F(WithEngine, BuildingSetsItsOptionsForTheIdItWasGiven) {
  Load(SOUND_ENGINE_COMPLETE);
  {
    auto sim = varn::LoadTestScenario(
        varn::ScenarioBuilder().AddLanded("VAB", "VARNVAB2016EM2", -80.65, 28.58, 0).Text());
    sim->PressKey(OAPI_KEY_3);
    sim->Step();
    EXPECT_TRUE(sim->Errors().empty());
  }
  EXPECT_EQ(CallLog(),
            "GetVesselSoundID3 -> 1\n"
            "SoundOption3 1 5 1 -> 1\n"
            "SoundOption3 1 6 1 -> 1\n"
            "SoundOption3 1 7 1 -> 1\n"
            "SoundOption3 1 1 1 -> 1\n"
            "SoundOption3 1 13 1 -> 1\n"
            "SoundOption3 1 14 1 -> 1\n"
            "SoundOption3 1 16 0 -> 1\n"
            "SoundOption3 1 17 0 -> 1\n");
  // The wave folder was accepted: nothing was logged.
  EXPECT_EQ(ReadFile(kLogFile), "<absent>");
}

}  // namespace
}  // namespace vabtest
