// The building through its real libraries (both builds): definition, animation set, motion,
// keys, scenario lines, and working on without a sound engine.

#include "sound_test_support.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace vabtest {
namespace {

using varn::Simulation;

const char kEM2[] = "VARNVAB2016EM2";
const char kVAB1[] = "VARNVAB2016";

const char* const kParts[] = {"DOOR1", "DOOR2", "DOOR3", "DOOR4", "DOOR5", "DOOR6", "EM1A", "EM1B",
                              "EM1C",  "EM1D",  "EM1E",  "EM1F",  "EM1G",  "EM1H",  "EM1J", "EM1K"};
enum { DOOR1, DOOR2, DOOR3, DOOR4, DOOR5, DOOR6, EM1A, EM1B, EM1C, EM1D, EM1E, EM1F, EM1G, EM1H, EM1J, EM1K };

// Every test runs in a fresh working directory, where the building writes its sound log.
class Building : public testing::Test {
 protected:
  std::unique_ptr<Simulation> Load(const char* className, std::vector<std::string> lines = {}, double dt = 0.1) {
    varn::HostOptions options = varn::TestOptions();
    options.dt = dt;
    const std::string text =
        varn::ScenarioBuilder().AddLanded("VAB", className, -80.6509, 28.5861, 0, std::move(lines)).Text();
    return varn::LoadTestScenario(text, options);
  }

  TempWorkDir dir;
};

// The building's own lines from the scenario the host writes now: keyword -> value text.
std::map<std::string, std::string> SavedLines(Simulation& sim) { return varn::SavedLines(sim, "VAB"); }

int Status(Simulation& sim, int part) { return std::stoi(SavedLines(sim)[kParts[part]]); }
double State(Simulation& sim, int part) { return sim.Find("VAB")->animations.at(part).state; }
VECTOR3 Shift(Simulation& sim, UINT group) { return sim.GroupTransform("VAB", 0, group).t; }
bool LightOn(Simulation& sim) { return sim.Find("VAB")->lights.at(0)->IsActive(); }

void ExpectShift(Simulation& sim, UINT group, double x, double y, double z) {
  varn::ExpectVectorNear(Shift(sim, group), _V(x, y, z), 1e-9, "group " + std::to_string(group));
}

void Steps(Simulation& sim, int count) {
  for (int i = 0; i < count; ++i) sim.Step();
}

// What the host recorded of one component, copied out while its module is loaded.
struct ComponentInfo {
  UINT animation;
  double state0, state1;
  int parent;
  MGROUP_TRANSFORM::TYPE type;
  UINT mesh;
  VECTOR3 shift;
  std::vector<UINT> groups;
};

std::vector<ComponentInfo> Components(const varn::VesselRecord& record) {
  std::vector<ComponentInfo> infos;
  for (const auto& c : record.components) {
    const auto* t = static_cast<const MGROUP_TRANSLATE*>(c.transform);
    infos.push_back({c.animation, c.state0, c.state1, c.parent, t->type, t->mesh, t->shift,
                     std::vector<UINT>(t->grp, t->grp + t->ngrp)});
  }
  return infos;
}

TEST_F(Building, BothBuildsDefineTheSameAnimationsButForTheLowerPlatformGroups) {
  std::vector<ComponentInfo> em2, vab1;
  {
    auto sim = Load(kEM2);
    const varn::VesselRecord& vab = *sim->Find("VAB");
    EXPECT_EQ(vab.meshes.at(0).name, "VARN_2016/VARNVAB2");
    EXPECT_EQ(vab.meshes.at(0).visibility, 19);
    EXPECT_EQ(vab.size, 100);
    EXPECT_EQ(vab.emptyMass, 35000);
    ASSERT_EQ(vab.lights.size(), 1u);
    EXPECT_FALSE(vab.lights[0]->IsActive());
    EXPECT_EQ(vab.animations.size(), 16u);
    em2 = Components(vab);
    sim->PressKey(OAPI_KEY_9);
    Steps(*sim, 201);
    ExpectShift(*sim, 228, -11, 0, 0);
    ExpectShift(*sim, 230, 11, 0, 0);
    ExpectShift(*sim, 215, -11, 0, 0);
    ExpectShift(*sim, 206, -11, 0, 0);
  }
  {
    auto sim = Load(kVAB1);
    EXPECT_EQ(sim->Find("VAB")->meshes.at(0).name, "VARN_2016/VARNVAB1");
    vab1 = Components(*sim->Find("VAB"));
    sim->PressKey(OAPI_KEY_9);
    Steps(*sim, 201);
    ExpectShift(*sim, 227, -11, 0, 0);
    ExpectShift(*sim, 228, 11, 0, 0);
    ExpectShift(*sim, 212, -11, 0, 0);
    ExpectShift(*sim, 206, -11, 0, 0);
  }
  ASSERT_EQ(em2.size(), 4 * 11 + 2 + 10 * 2u);
  ASSERT_EQ(vab1.size(), em2.size());
  for (size_t i = 0; i < em2.size(); ++i) {
    SCOPED_TRACE(i);
    const ComponentInfo& a = em2[i];
    const ComponentInfo& b = vab1[i];
    EXPECT_EQ(a.animation, b.animation);
    EXPECT_EQ(a.state0, b.state0);
    EXPECT_EQ(a.state1, 1.0);
    EXPECT_EQ(b.state1, 1.0);
    EXPECT_EQ(a.parent, -1);
    EXPECT_EQ(a.type, MGROUP_TRANSFORM::TRANSLATE);
    EXPECT_EQ(a.mesh, 0u);
    EXPECT_EQ(a.shift.x, b.shift.x);
    EXPECT_EQ(a.shift.y, b.shift.y);
    EXPECT_EQ(a.shift.z, b.shift.z);
    const bool lowerPlatform = a.animation >= EM1A && a.animation <= EM1E;
    if (lowerPlatform) {
      EXPECT_NE(a.groups, b.groups);
    } else {
      EXPECT_EQ(a.groups, b.groups);
    }
  }
}

struct Travel {
  const char* name;
  DWORD key;
  DWORD modifier;
  int part;
  int seconds;
  UINT group;  // a group of the part's animation and its full travel
  double x, y, z;
};

class BuildingTravel : public Building, public testing::WithParamInterface<Travel> {};

TEST_P(BuildingTravel, OpensInItsTimeAndTurnsOpenOnTheNextStep) {
  const Travel& c = GetParam();
  auto sim = Load(kEM2);
  EXPECT_EQ(sim->PressKey(c.key, c.modifier), 1);
  const int steps = c.seconds * 10;  // steps of 0.1 s
  Steps(*sim, steps - 10);
  EXPECT_NEAR(State(*sim, c.part), 1 - 1.0 / c.seconds, 1e-9);
  EXPECT_EQ(Status(*sim, c.part), 3);
  Steps(*sim, 12);  // the travel's end (within rounding), then the step that sets Open
  EXPECT_EQ(State(*sim, c.part), 1.0);
  EXPECT_EQ(Status(*sim, c.part), 1);
  ExpectShift(*sim, c.group, c.x, c.y, c.z);
  for (int other = 0; other < 16; ++other) {
    if (other == c.part) continue;
    EXPECT_EQ(State(*sim, other), 0) << kParts[other];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, BuildingTravel,
    testing::Values(Travel{"LargeDoor1", OAPI_KEY_3, 0, DOOR1, 100, 29, 25, 0, 0},
                    Travel{"LargeDoor4", OAPI_KEY_6, 0, DOOR4, 100, 68, 0, 99, 0},
                    Travel{"SmallDoor5", OAPI_KEY_7, 0, DOOR5, 20, 102, 0, 0, 16.4},
                    Travel{"SmallDoor6", OAPI_KEY_8, 0, DOOR6, 20, 100, 0, 0, -16.4},
                    Travel{"PlatformEM1A", OAPI_KEY_1, OAPI_KEY_LSHIFT, EM1A, 20, 230, 11, 0, 0},
                    Travel{"PlatformEM1H", OAPI_KEY_8, OAPI_KEY_LSHIFT, EM1H, 20, 200, -11, 0, 0}),
    [](const testing::TestParamInfo<Travel>& info) { return std::string(info.param.name); });

TEST_F(Building, LargeDoorStagesItsLeavesAndPanels) {
  // state: outer leaf, inner leaf, highest and lowest panel
  const struct {
    double state, outer, inner, fraction;
  } stages[] = {{0.25, 6.25, 0, 0}, {0.5, 12.5, 0, 1.0 / 3}, {0.75, 18.75, 6.25, 2.0 / 3}, {1, 25, 12.5, 1}};
  for (const auto& stage : stages) {
    SCOPED_TRACE(stage.state);
    auto sim = Load(kEM2, {"DOOR1 0 " + std::to_string(stage.state)});
    ExpectShift(*sim, 29, stage.outer, 0, 0);
    ExpectShift(*sim, 244, stage.outer, 0, 0);
    ExpectShift(*sim, 30, -stage.outer, 0, 0);
    ExpectShift(*sim, 28, stage.inner, 0, 0);
    ExpectShift(*sim, 245, -stage.inner, 0, 0);
    ExpectShift(*sim, 38, 0, 99 * stage.fraction, 0);
    ExpectShift(*sim, 161, 0, 16 * stage.fraction, 0);
    ExpectShift(*sim, 44, 0, 0, 0);  // DOOR2 stays shut
  }
}

struct KeyCase {
  const char* name;
  const char* build;
  DWORD key;
  DWORD modifier;
  int consumed;
  std::vector<int> opening;
};

class BuildingKeys : public Building, public testing::WithParamInterface<KeyCase> {};

TEST_P(BuildingKeys, ToggleTheirParts) {
  const KeyCase& c = GetParam();
  auto sim = Load(c.build);
  EXPECT_EQ(sim->PressKey(c.key, c.modifier), c.consumed);
  for (int part = 0; part < 16; ++part) {
    const bool opening = std::find(c.opening.begin(), c.opening.end(), part) != c.opening.end();
    EXPECT_EQ(Status(*sim, part), opening ? 3 : 0) << kParts[part];
  }
}

const std::vector<int> kAllPlatforms = {EM1A, EM1B, EM1C, EM1D, EM1E, EM1F, EM1G, EM1H, EM1J, EM1K};
const std::vector<int> kUpperPlatforms = {EM1C, EM1D, EM1E, EM1F, EM1G, EM1H, EM1J, EM1K};

INSTANTIATE_TEST_SUITE_P(
    Table, BuildingKeys,
    testing::Values(KeyCase{"Key1", kEM2, OAPI_KEY_1, 0, 0, {}},
                    KeyCase{"ShiftKey1", kEM2, OAPI_KEY_1, OAPI_KEY_LSHIFT, 1, {EM1A}},
                    KeyCase{"Key2", kEM2, OAPI_KEY_2, 0, 0, {}},
                    KeyCase{"RightShiftKey2", kEM2, OAPI_KEY_2, OAPI_KEY_RSHIFT, 1, {EM1B}},
                    KeyCase{"Key3", kEM2, OAPI_KEY_3, 0, 1, {DOOR1}},
                    KeyCase{"ShiftKey3", kEM2, OAPI_KEY_3, OAPI_KEY_LSHIFT, 1, {EM1C}},
                    KeyCase{"Key4", kEM2, OAPI_KEY_4, 0, 1, {DOOR2}},
                    KeyCase{"ShiftKey5", kEM2, OAPI_KEY_5, OAPI_KEY_RSHIFT, 1, {EM1E}},
                    KeyCase{"Key5", kEM2, OAPI_KEY_5, 0, 1, {DOOR3}},
                    KeyCase{"ShiftKey6", kEM2, OAPI_KEY_6, OAPI_KEY_LSHIFT, 1, {EM1F}},
                    KeyCase{"ShiftKey7", kEM2, OAPI_KEY_7, OAPI_KEY_LSHIFT, 1, {EM1G}},
                    KeyCase{"ShiftKey8", kEM2, OAPI_KEY_8, OAPI_KEY_LSHIFT, 1, {EM1H}},
                    KeyCase{"Key9", kEM2, OAPI_KEY_9, 0, 1, kAllPlatforms},
                    KeyCase{"ShiftKey9", kEM2, OAPI_KEY_9, OAPI_KEY_LSHIFT, 1, kAllPlatforms},
                    KeyCase{"Key0", kEM2, OAPI_KEY_0, 0, 1, kUpperPlatforms},
                    KeyCase{"ShiftKey0", kEM2, OAPI_KEY_0, OAPI_KEY_LSHIFT, 1, kUpperPlatforms},
                    KeyCase{"ControlKey3", kEM2, OAPI_KEY_3, OAPI_KEY_LCONTROL, 1, {DOOR1}},
                    KeyCase{"OtherKey", kEM2, OAPI_KEY_A, 0, 0, {}},
                    KeyCase{"Vab1Key3", kVAB1, OAPI_KEY_3, 0, 1, {DOOR1}},
                    KeyCase{"Vab1ShiftKey1", kVAB1, OAPI_KEY_1, OAPI_KEY_LSHIFT, 1, {EM1A}},
                    KeyCase{"Vab1Key9", kVAB1, OAPI_KEY_9, 0, 1, kAllPlatforms},
                    KeyCase{"Vab1Key0", kVAB1, OAPI_KEY_0, 0, 0, {}},
                    KeyCase{"Vab1ShiftKey0", kVAB1, OAPI_KEY_0, OAPI_KEY_LSHIFT, 1, {EM1K}}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(Building, KeyReleaseDoesNothing) {
  auto sim = Load(kEM2);
  EXPECT_EQ(sim->ReleaseKey(OAPI_KEY_3), 0);
  EXPECT_EQ(Status(*sim, DOOR1), 0);
}

TEST_F(Building, GroupKeyTogglesEachPlatformOnItsOwnStatus) {
  auto sim = Load(kEM2, {"EM1A 1 1.0", "EM1C 3 0.5", "EM1D 2 0.5"});
  sim->PressKey(OAPI_KEY_9);
  const std::map<int, int> expected = {{EM1A, 2}, {EM1B, 3}, {EM1C, 2}, {EM1D, 3}, {EM1K, 3}};
  for (const auto& [part, status] : expected) EXPECT_EQ(Status(*sim, part), status) << kParts[part];
  sim->Step();
  EXPECT_NEAR(State(*sim, EM1A), 0.995, 1e-12);
  EXPECT_NEAR(State(*sim, EM1B), 0.005, 1e-12);
  EXPECT_NEAR(State(*sim, EM1C), 0.495, 1e-12);
  EXPECT_NEAR(State(*sim, EM1D), 0.505, 1e-12);
}

TEST_F(Building, ReversedDoorReturnsShutAndRestsOnTheNextStep) {
  auto sim = Load(kEM2, {"DOOR2 3 0.3"});
  sim->PressKey(OAPI_KEY_4);
  Steps(*sim, 299);
  EXPECT_NEAR(State(*sim, DOOR2), 0.001, 1e-9);
  Steps(*sim, 2);  // reaches 0 (within rounding), still Closing
  EXPECT_EQ(State(*sim, DOOR2), 0.0);
  Steps(*sim, 1);
  EXPECT_EQ(Status(*sim, DOOR2), 0);
}

TEST_F(Building, SaveAndLoadRoundTripEveryPartAndTheLight) {
  std::vector<std::string> lines = {"Light 1"};
  std::map<std::string, std::string> expected = {{"Light", "1 "}};
  for (int part = 0; part < 16; ++part) {
    const int status = part % 4;
    const double position = part / 15.0;  // not a four-decimal number
    char line[64], value[32];
    std::snprintf(line, sizeof line, "%s %d %.10f", kParts[part], status, position);
    std::snprintf(value, sizeof value, "%d %0.4f", status, position);
    lines.push_back(line);
    expected[kParts[part]] = value;
  }
  auto first = Load(kEM2, lines);
  EXPECT_TRUE(LightOn(*first));
  std::map<std::string, std::string> saved = SavedLines(*first);
  for (const auto& [key, value] : expected) EXPECT_EQ(saved[key], value) << key;

  const std::string text = first->SaveScenario();
  first.reset();  // one simulation at a time

  auto second = varn::LoadTestScenario(text);
  EXPECT_TRUE(LightOn(*second));
  EXPECT_EQ(SavedLines(*second), saved);
  for (int part = 0; part < 16; ++part)
    EXPECT_EQ(State(*second, part), std::stod(saved[kParts[part]].substr(2))) << kParts[part];

  // The saved block: host lines first, then the light and the parts in their order.
  EXPECT_LT(text.find("STATUS Landed"), text.find("Light 1 \n"));
  EXPECT_LT(text.find("Light 1 \n"), text.find("DOOR1 0 0.0000"));
  EXPECT_LT(text.find("DOOR6"), text.find("EM1A"));
  EXPECT_LT(text.find("EM1H"), text.find("EM1J"));
}

TEST_F(Building, SavesMovingAndRestingStatuses) {
  auto sim = Load(kEM2);
  sim->PressKey(OAPI_KEY_6, OAPI_KEY_LSHIFT);
  Steps(*sim, 10);
  EXPECT_EQ(SavedLines(*sim)["EM1F"], "3 0.0500");
  EXPECT_EQ(SavedLines(*sim)["EM1B"], "0 0.0000");
}

TEST_F(Building, LightFollowsItsSwitch) {
  auto sim = Load(kEM2);
  EXPECT_FALSE(LightOn(*sim));
  EXPECT_EQ(sim->PressKey(OAPI_KEY_B), 1);
  EXPECT_FALSE(LightOn(*sim));  // the next step applies it
  sim->Step();
  EXPECT_TRUE(LightOn(*sim));
  EXPECT_EQ(SavedLines(*sim)["Light"], "1 ");
  sim->PressKey(OAPI_KEY_B, OAPI_KEY_LSHIFT);
  sim->Step();
  EXPECT_FALSE(LightOn(*sim));
}

TEST_F(Building, UnknownLightValueIsKeptAndLeavesTheLightUntilKeyB) {
  auto sim = Load(kEM2, {"light 7"});
  Steps(*sim, 3);
  EXPECT_FALSE(LightOn(*sim));
  EXPECT_EQ(SavedLines(*sim)["Light"], "7 ");
  sim->PressKey(OAPI_KEY_B);
  sim->Step();
  EXPECT_EQ(SavedLines(*sim)["Light"], "0 ");
  EXPECT_FALSE(LightOn(*sim));
}

TEST_F(Building, UnreadableValuesKeepWhatTheyHad) {
  auto sim = Load(kEM2, {"DOOR3 3 0.4", "DOOR3", "Light x", "EM1B 2", "door3 x"});
  EXPECT_EQ(SavedLines(*sim)["DOOR3"], "3 0.4000");
  EXPECT_EQ(SavedLines(*sim)["EM1B"], "2 0.0000");
  EXPECT_EQ(SavedLines(*sim)["Light"], "0 ");
}

TEST_F(Building, TwoBuildingsAnimateIndependently) {
  varn::HostOptions options = varn::TestOptions();
  auto sim = varn::LoadTestScenario(varn::ScenarioBuilder()
                                        .AddLanded("VAB", kEM2, -80.65, 28.58, 0)
                                        .AddLanded("VAB2", kEM2, -80.66, 28.59, 0)
                                        .Focus("VAB2")
                                        .Text(),
                                    options);
  sim->PressKey(OAPI_KEY_7);
  Steps(*sim, 10);
  EXPECT_EQ(State(*sim, DOOR5), 0);
  EXPECT_GT(sim->Find("VAB2")->animations.at(DOOR5).state, 0);
}

TEST_F(Building, WorksOnWithoutSoundEngineAndLogsWhy) {
  auto sim = Load(kVAB1);
  EXPECT_EQ(ReadFile(kLogFile), kLogHeader + LogEntry(kNotInstalled));
  sim->PressKey(OAPI_KEY_3);
  Steps(*sim, 5);
  EXPECT_EQ(Status(*sim, DOOR1), 3);
  EXPECT_GT(State(*sim, DOOR1), 0);
  EXPECT_TRUE(sim->Errors().empty());
}

TEST_F(Building, DemoOpensEverythingWithTheLightOn) {
  auto demo = varn::LoadDemo("vab");
  Simulation& sim = *demo;

  sim.RunUntil(60);
  EXPECT_TRUE(LightOn(sim));
  EXPECT_EQ(Status(sim, DOOR1), 3);
  EXPECT_EQ(SavedLines(sim)["EM1K"], "1 1.0000");
  sim.RunUntil(110);
  const std::map<std::string, std::string> saved = SavedLines(sim);
  for (const char* part : kParts) EXPECT_EQ(saved.at(part), "1 1.0000") << part;
  EXPECT_TRUE(sim.Errors().empty());
}

}  // namespace
}  // namespace vabtest
