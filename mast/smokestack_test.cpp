// The mast through its real library: its definition as the host records it, and a scenario
// that holds only the host's lines.
#include "testkit.h"

#include <gtest/gtest.h>

namespace {

std::string MastScenario() {
  return varn::ScenarioBuilder().AddLanded("Mast1", "SMOKESTACK", -80.6043, 28.6085, 45).Text();
}

TEST(Smokestack, DefinesTheMastAsTheHostRecordsIt) {
  auto sim = varn::LoadTestScenario(MastScenario());
  const varn::VesselRecord* mast = sim->Find("Mast1");
  ASSERT_NE(mast, nullptr);
  EXPECT_EQ(mast->moduleName, "STORMMAST");
  EXPECT_EQ(mast->size, 12);
  EXPECT_EQ(mast->emptyMass, 5.5e8);
  EXPECT_EQ(mast->pitchMomentScale, 1e-4);
  EXPECT_EQ(mast->bankMomentScale, 1e-4);
  EXPECT_TRUE(mast->transponder);
  ASSERT_EQ(mast->touchdown.size(), 3u);
  EXPECT_EQ(mast->touchdown[1].pos.x, -4);
  EXPECT_EQ(mast->touchdown[1].pos.y, 0.01);
  EXPECT_EQ(mast->touchdown[1].pos.z, -9);
  EXPECT_DOUBLE_EQ(mast->altitude, -0.01);  // the origin stands minus the points' height

  ASSERT_EQ(mast->beacons.size(), 1u);
  const BEACONLIGHTSPEC& beacon = *mast->beacons[0];
  EXPECT_EQ(beacon.shape, BEACONSHAPE_STAR);
  EXPECT_EQ(beacon.pos->y, 182.0);
  EXPECT_EQ(beacon.col->x, 1);
  EXPECT_EQ(beacon.size, 2.0);
  EXPECT_EQ(beacon.period, 0.8);
  EXPECT_EQ(beacon.duration, 0.1);
  EXPECT_EQ(beacon.tofs, 1.2000000000000002);
  EXPECT_TRUE(beacon.active);

  ASSERT_EQ(mast->meshes.size(), 1u);
  EXPECT_EQ(mast->meshes[0].name, "VARN/NEWLIGHTNING");
  EXPECT_EQ(mast->meshes[0].visibility, MESHVIS_ALWAYS);
  EXPECT_TRUE(sim->Errors().empty());
}

TEST(Smokestack, EasyFlightModelLeavesTheMomentScales) {
  varn::HostOptions options = varn::TestOptions();
  options.flightModel = 0;
  auto sim = varn::LoadTestScenario(MastScenario(), options);
  const varn::VesselRecord* mast = sim->Find("Mast1");
  EXPECT_EQ(mast->pitchMomentScale, 0);
  EXPECT_EQ(mast->bankMomentScale, 0);
  EXPECT_EQ(mast->emptyMass, 5.5e8);
}

TEST(Smokestack, LeavesEveryKeyToTheHost) {
  auto sim = varn::LoadTestScenario(MastScenario());
  for (DWORD key = 1; key < 0x60; ++key) EXPECT_EQ(sim->PressKey(key), 0) << key;
}

TEST(Smokestack, SavesOnlyTheHostLinesAndRoundTrips) {
  std::string first;
  {
    auto sim = varn::LoadTestScenario(MastScenario());
    sim->RunUntil(1.0);
    first = sim->SaveScenario();
  }
  const auto block = first.substr(first.find("Mast1:SMOKESTACK"));
  EXPECT_EQ(block.substr(0, block.find("END\n")),
            "Mast1:SMOKESTACK\n  STATUS Landed Earth\n  POS -80.6043000000 28.6085000000\n  HEADING 45.000000\n");
  auto again = varn::LoadTestScenario(first);
  EXPECT_EQ(again->SaveScenario(), first);
}

}  // namespace
