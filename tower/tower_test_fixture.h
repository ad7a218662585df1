// Test set-up for the tower: scenarios with a tower and, where a test needs them, the launch pad
// and a rocket "VARN" whose lift-off answer the test sets.
#pragma once

#include "testkit.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varn {

// Where the towers of the tests stand, in degrees.
const double kTowerLon = -80.6208;
const double kTowerLat = 28.6272;

// The answer the test rocket writes to message 4096; LoadTower sets it to 0.5 (not lifted off).
extern double testRocketReply;

struct TowerScenario {
  std::string towerClass = "VARNTOWER2016EM1";
  std::vector<std::string> towerLines;  // after the tower's STATUS, POS and HEADING lines
  double headingDeg = 0;
  // The pad's distance from the tower, measured between the two origins (so more than the
  // tower origin's 59.943 m above the ground), due north; none for no pad.
  std::optional<double> padDistance;
  // The rocket "VARN": "" for none, "TestRocket" for one that answers testRocketReply,
  // "TestRocketV2" for one without the version 3 callbacks, or a host class such as "Rocket".
  std::string rocketClass = "TestRocket";
  std::vector<std::string> rocketLines;
};

const char kTowerName[] = "TOWER";

// Loads the scenario, with the test rocket classes registered; fails the test if it does not load.
std::unique_ptr<Simulation> LoadTower(const TowerScenario& scenario, HostOptions options = TestOptions());

// The values behind key in the vessel's block of the scenario the host saves now, as written
// (without the keyword and the blank after it); none if the block has no such line.
std::optional<std::string> SavedValue(Simulation& sim, const std::string& vessel, const std::string& key);

// Steps until the time reaches t seconds.
void RunFor(Simulation& sim, double seconds);

}  // namespace varn
