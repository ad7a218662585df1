// The launch demo as users run it: the scenario and its script from the repository.
#include "tower_test_fixture.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(LaunchScenarioTest, TowerRetractsItsArmsAfterLiftoff) {
  auto demo = LoadDemo("launch");
  Simulation& sim = *demo;

  // Before lift-off: on the pad deck, beacons on, the crew access arm swung back, arms at the rocket.
  sim.RunUntil(9.9);
  EXPECT_EQ(SavedValue(sim, "VARNTOWER", "TOUCH"), "-75.9000 ");
  EXPECT_EQ(SavedValue(sim, "VARNTOWER", "BEACON"), "1 ");
  EXPECT_EQ(SavedValue(sim, "VARNTOWER", "CAA"), "0 0.0000");
  EXPECT_EQ(SavedValue(sim, "VARNTOWER", "LAUNCH"), "0 1.0000");

  // The rocket lifts off at 10 s; the service arms are back about two seconds later.
  sim.RunUntil(11.0);
  EXPECT_EQ(SavedValue(sim, "VARNTOWER", "LAUNCH").value().substr(0, 1), "2");
  sim.RunUntil(12.5);
  EXPECT_EQ(SavedValue(sim, "VARNTOWER", "LAUNCH"), "0 0.0000");

  const VesselRecord& tower = *sim.Find("VARNTOWER");
  for (const BEACONLIGHTSPEC* beacon : tower.beacons) EXPECT_TRUE(beacon->active);
  EXPECT_EQ(tower.attachments[0].other, sim.Find("VARN")->object->GetHandle());
  EXPECT_TRUE(sim.Errors().empty());
}

}  // namespace
}  // namespace varn
