#include "tower_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace varn {

double testRocketReply = 0.0;

namespace {

const double kDegreesPerRadian = 57.29577951308232;
const double kTowerOriginAltitude = 59.943;  // the tower's touchdown points lie this far below it
const double kPadOriginAltitude = 0.0;

// A rocket that answers the lift-off message with whatever the test set.
class TestRocket : public VESSEL3 {
 public:
  using VESSEL3::VESSEL3;
  int clbkGeneric(int msgid, int prm, void* context) override {
    if (msgid != 4096 || prm != 1) return 0;
    *static_cast<double*>(context) = testRocketReply;
    return 1;
  }
};

// A vessel named like the rocket that has only the version 2 callbacks, so no message callback.
class TestRocketV2 : public VESSEL2 {
 public:
  using VESSEL2::VESSEL2;
};

template <class T>
VESSEL* Create(OBJHANDLE hVessel, int flightModel) {
  return new T(hVessel, flightModel);
}
void Destroy(VESSEL* vessel) { delete vessel; }

// Latitude offset in degrees that puts a point distance metres north of the tower's origin.
double NorthOffsetDeg(double distance) {
  const double towerRadius = kEarthRadius + kTowerOriginAltitude;
  const double padRadius = kEarthRadius + kPadOriginAltitude;
  const double rise = towerRadius - padRadius;
  const double halfAngle = std::asin(std::sqrt((distance * distance - rise * rise) / (4 * towerRadius * padRadius)));
  return 2 * halfAngle * kDegreesPerRadian;
}

}  // namespace

std::unique_ptr<Simulation> LoadTower(const TowerScenario& scenario, HostOptions options) {
  testRocketReply = 0.5;
  auto sim = std::make_unique<Simulation>(std::move(options));
  ModuleEntries rocket;
  rocket.init = Create<TestRocket>;
  rocket.exit = Destroy;
  sim->RegisterClass("TestRocket", "TestRocket", rocket);
  ModuleEntries rocketV2;
  rocketV2.init = Create<TestRocketV2>;
  rocketV2.exit = Destroy;
  sim->RegisterClass("TestRocketV2", "TestRocketV2", rocketV2);

  ScenarioBuilder builder;
  builder.AddLanded(kTowerName, scenario.towerClass, kTowerLon, kTowerLat, scenario.headingDeg, scenario.towerLines);
  if (scenario.padDistance) {
    EXPECT_GT(*scenario.padDistance, kTowerOriginAltitude) << "the pad lies below the tower's origin";
    builder.AddLanded("LP39_VARN", "LaunchPad", kTowerLon, kTowerLat + NorthOffsetDeg(*scenario.padDistance), 0);
  }
  if (!scenario.rocketClass.empty()) builder.Add("VARN", scenario.rocketClass, scenario.rocketLines);
  builder.Focus(kTowerName);

  std::string error;
  EXPECT_TRUE(sim->LoadScenarioText(builder.Text(), "tower.scn", error)) << error;
  return sim;
}

std::optional<std::string> SavedValue(Simulation& sim, const std::string& vessel, const std::string& key) {
  const std::map<std::string, std::string> lines = SavedLines(sim, vessel);
  const auto found = lines.find(key);
  if (found == lines.end()) return std::nullopt;
  return found->second;
}

void RunFor(Simulation& sim, double seconds) { sim.RunUntil(sim.Time() + seconds); }

}  // namespace varn
