#include "tower_test_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace varn {
namespace {

// The tower's own lines of its saved block, in order.
std::vector<std::string> OwnLines(Simulation& sim) {
  std::vector<std::string> lines;
  for (const char* key : {"CAA", "LAUNCH", "TOUCH", "BEACON"}) {
    if (auto value = SavedValue(sim, kTowerName, key)) lines.push_back(std::string(key) + " " + *value);
  }
  return lines;
}

TEST(TowerStateTest, LinesAreReadInAnyCaseAndWrittenAfterTheHostLines) {
  TowerScenario scenario;
  scenario.rocketClass = "";
  scenario.towerLines = {"caa 3 0.25", "Launch 2 0.5", "touch -70", "BEACON 1"};
  auto sim = LoadTower(scenario);
  EXPECT_EQ(OwnLines(*sim),
            (std::vector<std::string>{"CAA 3 0.2500", "LAUNCH 2 0.5000", "TOUCH -70.0000 ", "BEACON 1 "}));

  // The host's lines come first, the tower's in the order CAA, LAUNCH, TOUCH, BEACON.
  const std::string saved = sim->SaveScenario();
  const size_t heading = saved.find("HEADING");
  const size_t caa = saved.find("CAA"), launch = saved.find("LAUNCH"), touch = saved.find("TOUCH"),
               beacon = saved.find("BEACON");
  ASSERT_NE(heading, std::string::npos);
  EXPECT_LT(heading, caa);
  EXPECT_LT(caa, launch);
  EXPECT_LT(launch, touch);
  EXPECT_LT(touch, beacon);

  // The touchdown points and animations follow what was read.
  const VesselRecord& tower = *sim->Find(kTowerName);
  for (const TOUCHDOWNVTX& point : tower.touchdown) EXPECT_EQ(point.pos.y, -70);
  EXPECT_EQ(tower.animations[2].state, 0.25);
  EXPECT_EQ(tower.animations[0].state, 0.5);
}

TEST(TowerStateTest, DefaultsAndUnreadableValues) {
  struct Case {
    const char* towerClass;
    std::vector<std::string> lines;
    std::vector<std::string> saved;
  };
  const Case cases[] = {
      {"VARNTOWER2016EM1", {}, {"CAA 0 0.0000", "LAUNCH 0 1.0000", "TOUCH -59.9430 ", "BEACON 0 "}},
      {"VARNTOWER2016EM2",
       {"CAA", "LAUNCH 3", "TOUCH x", "BEACON"},
       {"CAA 0 0.0000", "LAUNCH 3 1.0000", "TOUCH -59.9430 ", "BEACON 0 "}},
      // Builds without the crew access arm leave "CAA" to the host and do not write it.
      // A height that is not a finite number is unreadable too.
      {"VARNTOWER2016BLOCK2", {"CAA 3 0.5", "TOUCH inf"}, {"LAUNCH 0 1.0000", "TOUCH -59.9430 ", "BEACON 0 "}},
      {"VARNTOWER2016EM1BCARGO",
       {"CAA 3 0.5", "BEACON 2", "TOUCH -70", "TOUCH nan"},
       {"LAUNCH 0 1.0000", "TOUCH -70.0000 ", "BEACON 2 "}},
  };
  for (const Case& c : cases) {
    TowerScenario scenario;
    scenario.towerClass = c.towerClass;
    scenario.towerLines = c.lines;
    auto sim = LoadTower(scenario);
    EXPECT_EQ(OwnLines(*sim), c.saved) << c.towerClass;
  }
}

TEST(TowerStateTest, SavedStateLoadsBackAndResumes) {
  TowerScenario scenario;
  scenario.padDistance = 80.0;
  scenario.towerLines = {"LAUNCH 1 1.0"};
  auto sim = LoadTower(scenario);
  sim->PressKey(OAPI_KEY_1);
  sim->PressKey(OAPI_KEY_6);
  sim->PressKey(OAPI_KEY_7);
  RunFor(*sim, 1.0);
  const std::vector<std::string> saved = OwnLines(*sim);
  EXPECT_EQ(saved, (std::vector<std::string>{"CAA 3 0.2100", "LAUNCH 2 0.4900", "TOUCH -75.9000 ", "BEACON 1 "}));

  // A scenario written by the host loads back to the same lines, and the arms move on from there.
  sim.reset();
  TowerScenario reloaded;
  reloaded.towerLines = saved;
  auto again = LoadTower(reloaded);
  EXPECT_EQ(OwnLines(*again), saved);
  RunFor(*again, 5.0);
  EXPECT_EQ(SavedValue(*again, kTowerName, "CAA"), "1 1.0000");
  EXPECT_EQ(SavedValue(*again, kTowerName, "LAUNCH"), "0 0.0000");
}

}  // namespace
}  // namespace varn
