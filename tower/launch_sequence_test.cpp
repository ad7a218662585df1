#include "tower_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varn {
namespace {

class LaunchSequenceTest : public ::testing::Test {
 protected:
  std::unique_ptr<Simulation> Load(TowerScenario scenario = {}) { return LoadTower(scenario); }

  static std::string LaunchArms(Simulation& sim) { return SavedValue(sim, kTowerName, "LAUNCH").value_or("none"); }
  // The state of every launch-arm animation of EM1 (all but the third, the crew access arm).
  static void ExpectLaunchArmAnimations(Simulation& sim, double state) {
    const VesselRecord* tower = sim.Find(kTowerName);
    ASSERT_EQ(tower->animations.size(), 7u);
    for (size_t i = 0; i < tower->animations.size(); ++i) {
      if (i == 2) continue;
      EXPECT_NEAR(tower->animations[i].state, state, 1e-12) << "animation " << i;
    }
  }
};

TEST_F(LaunchSequenceTest, ArmsRetractOnTheSecondAnswerAndStayLatched) {
  auto sim = Load();
  sim->Step();
  EXPECT_EQ(LaunchArms(*sim), "0 1.0000");

  testRocketReply = 2.0;
  sim->Step();  // toggled to Opening in the pre-step; already at 1, so Open in the post-step
  EXPECT_EQ(LaunchArms(*sim), "1 1.0000");

  sim->Step();  // toggled to Closing: the arms start to move
  const double dt = sim->StepLength();
  EXPECT_EQ(LaunchArms(*sim), "2 0.9898");
  ExpectLaunchArmAnimations(*sim, 1.0 - 0.51 * dt);

  const double startedAt = sim->Time() - dt;
  while (sim->Find(kTowerName)->animations[0].state > 0.0 && sim->Time() < startedAt + 5) sim->Step();
  EXPECT_NEAR(sim->Time() - startedAt, 1 / 0.51, dt);  // about 1.96 s
  EXPECT_EQ(LaunchArms(*sim), "2 0.0000");
  sim->Step();
  EXPECT_EQ(LaunchArms(*sim), "0 0.0000");

  // The rocket keeps answering, but the latch keeps the arms where they are.
  RunFor(*sim, 1.0);
  EXPECT_EQ(LaunchArms(*sim), "0 0.0000");
  ExpectLaunchArmAnimations(*sim, 0.0);
}

TEST_F(LaunchSequenceTest, AnswersThatDoNotRetractTheArms) {
  struct Case {
    const char* name;
    std::string rocketClass;
    double reply;
    int answeringSteps;
    const char* expected;
  };
  const Case cases[] = {
      {"a single answer leaves the arms open", "TestRocket", 2.0, 1, "1 1.0000"},
      {"exactly 1.0 is no lift-off", "TestRocket", 1.0, 50, "0 1.0000"},
      {"no rocket", "", 2.0, 50, "0 1.0000"},
      {"a rocket without a message callback", "TestRocketV2", 2.0, 50, "0 1.0000"},
  };
  for (const Case& c : cases) {
    TowerScenario scenario;
    scenario.rocketClass = c.rocketClass;
    auto sim = Load(scenario);
    testRocketReply = c.reply;
    for (int i = 0; i < c.answeringSteps; ++i) sim->Step();
    testRocketReply = 0.5;
    RunFor(*sim, 3.0);
    EXPECT_EQ(LaunchArms(*sim), c.expected) << c.name;
    EXPECT_TRUE(sim->Errors().empty()) << c.name;
  }
}

TEST_F(LaunchSequenceTest, KeySevenReversesRetractingArmsAndTheLatchHolds) {
  auto sim = Load();
  testRocketReply = 2.0;
  RunFor(*sim, 0.5);
  ASSERT_EQ(LaunchArms(*sim).substr(0, 1), "2");

  EXPECT_EQ(sim->PressKey(OAPI_KEY_7), 1);
  EXPECT_EQ(LaunchArms(*sim).substr(0, 1), "3");
  RunFor(*sim, 3.0);  // back to 1 and Open; the rocket's answer toggles no more
  EXPECT_EQ(LaunchArms(*sim), "1 1.0000");
}

TEST_F(LaunchSequenceTest, ArmsClosedAtZeroOpenOneStepAndReturn) {
  TowerScenario scenario;
  scenario.towerLines = {"LAUNCH 0 0.0"};
  auto sim = Load(scenario);
  testRocketReply = 2.0;
  sim->Step();
  EXPECT_EQ(LaunchArms(*sim), "3 0.0102");
  RunFor(*sim, 1.0);
  EXPECT_EQ(LaunchArms(*sim), "0 0.0000");
}

// The pad within 100 m puts the tower on the pad deck for good, in the same step.
TEST_F(LaunchSequenceTest, PadDistanceSetsTheTouchdownHeight) {
  struct Case {
    std::optional<double> padDistance;
    const char* touch;
    double originAltitude;
  };
  const Case cases[] = {
      {99.9, "-75.9000 ", 75.9},
      {100.1, "-59.9430 ", 59.943},
      {std::nullopt, "-59.9430 ", 59.943},
  };
  for (const Case& c : cases) {
    TowerScenario scenario;
    scenario.padDistance = c.padDistance;
    auto sim = Load(scenario);
    sim->Step();
    const VesselRecord* tower = sim->Find(kTowerName);
    EXPECT_NEAR(tower->altitude, c.originAltitude, 1e-6) << c.touch;
    ASSERT_EQ(tower->touchdown.size(), 3u);
    for (const TOUCHDOWNVTX& point : tower->touchdown) EXPECT_NEAR(point.pos.y, -c.originAltitude, 1e-9);
    // Standing higher puts the origin beyond 100 m of the pad; the height stays all the same.
    RunFor(*sim, 1.0);
    EXPECT_EQ(SavedValue(*sim, kTowerName, "TOUCH"), c.touch);
  }
}

TEST_F(LaunchSequenceTest, ReseatsThroughTheStateFileOnEveryStep) {
  TowerScenario scenario;
  scenario.headingDeg = 123.4;
  HostOptions options = TestOptions();
  MemoryFileSystem& files = MemoryFiles(options);
  auto sim = LoadTower(scenario, options);
  const VesselRecord& tower = *sim->Find(kTowerName);
  const double lon = tower.lon, lat = tower.lat, heading = tower.heading;
  const int writes = files.writes, reads = files.reads;

  for (int i = 0; i < 10; ++i) sim->Step();
  EXPECT_EQ(files.writes - writes, 10);
  EXPECT_EQ(files.reads - reads, 10);
  const std::string& state = files.files["VARNTOWER2016EM1"];
  EXPECT_NE(state.find("STATUS Landed Earth"), std::string::npos) << state;
  EXPECT_NE(state.find("HEADING 123.4"), std::string::npos) << state;
  EXPECT_EQ(state.find("POS"), std::string::npos) << state;

  // The trip through the file leaves the tower where it stood.
  EXPECT_NEAR(tower.lon, lon, 1e-12);
  EXPECT_NEAR(tower.lat, lat, 1e-12);
  EXPECT_NEAR(tower.heading, heading, 1e-12);
}

TEST_F(LaunchSequenceTest, AStateFileThatCannotBeWrittenSkipsTheReseat) {
  HostOptions options = TestOptions();
  MemoryFiles(options).failWrites.insert("VARNTOWER2016EM1");
  TowerScenario scenario;
  scenario.padDistance = 80.0;
  auto sim = LoadTower(scenario, options);
  const int reads = MemoryFiles(options).reads;
  testRocketReply = 2.0;
  RunFor(*sim, 0.5);
  EXPECT_EQ(MemoryFiles(options).reads, reads);
  // The rest of the step goes on: the height is taken (and saved), the arms retract.
  EXPECT_EQ(SavedValue(*sim, kTowerName, "TOUCH"), "-75.9000 ");
  EXPECT_EQ(LaunchArms(*sim).substr(0, 1), "2");
  EXPECT_TRUE(sim->Errors().empty());
}

// Results of key presses in a build with the crew access arm (EM1) and one without (BLOCK2).
TEST_F(LaunchSequenceTest, KeysReportConsumedAsTheirTableSays) {
  struct Case {
    DWORD key;
    int withArm, withoutArm;
  };
  const Case cases[] = {
      {OAPI_KEY_1, 1, 0}, {OAPI_KEY_2, 1, 1}, {OAPI_KEY_3, 1, 1}, {OAPI_KEY_4, 1, 1}, {OAPI_KEY_5, 1, 1},
      {OAPI_KEY_6, 0, 0}, {OAPI_KEY_7, 1, 1}, {OAPI_KEY_G, 0, 0}, {OAPI_KEY_8, 0, 0}, {OAPI_KEY_A, 0, 0},
  };
  for (const char* towerClass : {"VARNTOWER2016EM1", "VARNTOWER2016BLOCK2"}) {
    TowerScenario scenario;
    scenario.towerClass = towerClass;
    auto sim = Load(scenario);
    const bool withArm = scenario.towerClass == "VARNTOWER2016EM1";
    for (const Case& c : cases) {
      EXPECT_EQ(sim->PressKey(c.key), withArm ? c.withArm : c.withoutArm) << towerClass << " key " << c.key;
      EXPECT_EQ(sim->ReleaseKey(c.key), 0) << towerClass << " key " << c.key;
    }
    // Modifiers make no difference.
    EXPECT_EQ(sim->PressKey(OAPI_KEY_5, OAPI_KEY_LSHIFT), 1);
    EXPECT_EQ(sim->PressKey(OAPI_KEY_6, OAPI_KEY_LCONTROL), 0);
  }
}

TEST_F(LaunchSequenceTest, KeyOneSwingsTheCrewAccessArm) {
  auto sim = Load();
  EXPECT_EQ(SavedValue(*sim, kTowerName, "CAA"), "0 0.0000");
  sim->PressKey(OAPI_KEY_1);
  RunFor(*sim, 1.0);
  const double position = sim->Find(kTowerName)->animations[2].state;
  EXPECT_NEAR(position, 0.21, 0.21 * sim->StepLength() + 1e-9);
  EXPECT_EQ(SavedValue(*sim, kTowerName, "CAA").value().substr(0, 1), "3");
  ExpectLaunchArmAnimations(*sim, 1.0);  // the service arms stay where they are
  RunFor(*sim, 5.0);
  EXPECT_EQ(SavedValue(*sim, kTowerName, "CAA"), "1 1.0000");

  // A key release changes nothing.
  sim->ReleaseKey(OAPI_KEY_1);
  sim->Step();
  EXPECT_EQ(SavedValue(*sim, kTowerName, "CAA"), "1 1.0000");
}

TEST_F(LaunchSequenceTest, BeaconsFollowTheirModeEveryStep) {
  auto activeCount = [](Simulation& sim) {
    int active = 0;
    for (const BEACONLIGHTSPEC* beacon : sim.Find(kTowerName)->beacons) active += beacon->active ? 1 : 0;
    return active;
  };
  struct Case {
    const char* line;
    int active;
  };
  const Case cases[] = {{"BEACON 0", 0}, {"BEACON 1", 8}, {"BEACON 2", 8}, {"BEACON -1", 8}};
  for (const Case& c : cases) {
    TowerScenario scenario;
    scenario.towerLines = {c.line};
    auto sim = Load(scenario);
    RunFor(*sim, 0.2);
    EXPECT_EQ(activeCount(*sim), c.active) << c.line;
  }

  // With mode 2 the beacons keep whatever state they have until key 5 or 6.
  TowerScenario scenario;
  scenario.towerLines = {"BEACON 2"};
  auto sim = Load(scenario);
  sim->PressKey(OAPI_KEY_5);
  sim->Step();
  EXPECT_EQ(activeCount(*sim), 0);
  sim->PressKey(OAPI_KEY_6);
  sim->Step();
  EXPECT_EQ(activeCount(*sim), 8);
  EXPECT_EQ(SavedValue(*sim, kTowerName, "BEACON"), "1 ");
}

TEST_F(LaunchSequenceTest, KeyGReleasesTheRocket) {
  TowerScenario scenario;
  scenario.rocketClass = "Rocket";
  scenario.rocketLines = {std::string("ATTACHED 0:0,") + kTowerName};
  auto sim = Load(scenario);
  sim->Step();
  const VesselRecord* tower = sim->Find(kTowerName);
  ASSERT_EQ(tower->attachments.size(), 1u);
  ASSERT_NE(tower->attachments[0].other, nullptr);

  EXPECT_EQ(sim->PressKey(OAPI_KEY_G), 0);
  EXPECT_EQ(tower->attachments[0].other, nullptr);
  // Nothing held: the request is made all the same, harmlessly.
  EXPECT_EQ(sim->PressKey(OAPI_KEY_G), 0);
  sim->Step();
  EXPECT_TRUE(sim->Errors().empty());
}

}  // namespace
}  // namespace varn
