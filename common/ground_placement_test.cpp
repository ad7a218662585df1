#include "ground_placement.h"

#include "testkit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A landed vessel whose reader only hands lines to the host, as the crawler's does.
class GroundVessel : public VESSEL3 {
 public:
  using VESSEL3::VESSEL3;
  void clbkSetClassCaps(FILEHANDLE) override { SetTouchdownPoints(_V(0, 0, 1), _V(-1, 0, -1), _V(1, 0, -1)); }
};

const varn::ModuleEntries kGroundVessel{
    [](OBJHANDLE h, int fm) -> VESSEL* { return new GroundVessel(h, fm); },
    [](VESSEL* v) { delete static_cast<GroundVessel*>(v); }, nullptr};

struct Fixture {
  explicit Fixture(int hostBuild, bool withPad = false) : options(varn::TestOptions()) {
    options.hostBuild = hostBuild;
    sim = std::make_unique<varn::Simulation>(options);
    sim->RegisterClass("GROUND", "GroundTest", kGroundVessel);
    varn::ScenarioBuilder scenario;
    scenario.AddLanded("G", "GROUND", -80.6, 28.6, 90);
    if (withPad) scenario.AddLanded("LP39_VARN", "LaunchPad", -80.6, 28.6 + 50.0 / 111195.0, 0);
    std::string error;
    EXPECT_TRUE(sim->LoadScenarioText(scenario.Text(), "ground.scn", error)) << error;
    vessel = static_cast<VESSEL2*>(sim->Interface("G"));
  }
  // A status record moved to new surface coordinates (radians).
  VESSELSTATUS2 Moved(double lon, double lat, double heading) const {
    VESSELSTATUS2 status{};
    status.version = 2;
    vessel->GetStatusEx(&status);
    status.surf_lng = lon, status.surf_lat = lat, status.surf_hdg = heading;
    return status;
  }
  varn::MemoryFileSystem& Files() { return varn::MemoryFiles(options); }

  varn::HostOptions options;
  std::unique_ptr<varn::Simulation> sim;
  VESSEL2* vessel = nullptr;
};

TEST(GroundPlacementReseat, NewHostTakesTheRecordWithoutAFile) {
  Fixture f(GroundPlacement::kDirectLandedStateBuild);
  VESSELSTATUS2 status = f.Moved(-1.4, 0.5, 1.0);
  GroundPlacement::Reseat(*f.vessel, status, "VARNCRAWLER", GroundPlacement::Form::Crawler);
  EXPECT_EQ(f.Files().writes + f.Files().reads, 0);
  const varn::VesselRecord* r = f.sim->Find("G");
  EXPECT_DOUBLE_EQ(r->lon, -1.4);
  EXPECT_DOUBLE_EQ(r->lat, 0.5);
  EXPECT_DOUBLE_EQ(r->heading, 1.0);
}

TEST(GroundPlacementReseat, OldHostWritesStatusHeadingAndPositionInOrder) {
  Fixture f(GroundPlacement::kDirectLandedStateBuild - 1);
  const double lon = -80.6 * M_PI / 180, lat = 28.6 * M_PI / 180;
  VESSELSTATUS2 status = f.Moved(lon, lat, 0);
  GroundPlacement::Reseat(*f.vessel, status, "VARNCRAWLER", GroundPlacement::Form::Crawler);
  char expected[256];
  std::snprintf(expected, sizeof expected, "  STATUS Landed Earth\n  HEADING 0\n  POS %.20f %.20f\n",
                lon * 57.29577951308232, lat * 57.29577951308232);
  EXPECT_EQ(f.Files().files["VARNCRAWLER"], expected);
  const varn::VesselRecord* r = f.sim->Find("G");
  EXPECT_NEAR(r->lon, lon, 1e-15);
  EXPECT_NEAR(r->lat, lat, 1e-15);
  EXPECT_TRUE(r->landed);
}

TEST(GroundPlacementReseat, TowerFormWritesTwoLinesOnEveryHost) {
  Fixture f(GroundPlacement::kDirectLandedStateBuild + 100);
  const double justBelowFullTurn = std::nextafter(2 * M_PI, 0.0);
  VESSELSTATUS2 status = f.Moved(0.1, 0.2, justBelowFullTurn);
  GroundPlacement::Reseat(*f.vessel, status, "VARNTOWER2016EM1", GroundPlacement::Form::Tower);
  const std::string& text = f.Files().files["VARNTOWER2016EM1"];
  EXPECT_EQ(text.rfind("  STATUS Landed Earth\n  HEADING 359.99999999999", 0), 0u) << text;
  EXPECT_EQ(text.find("POS"), std::string::npos);
  EXPECT_DOUBLE_EQ(f.sim->Find("G")->heading, justBelowFullTurn * 57.29577951308232 * (M_PI / 180));
}

TEST(GroundPlacementReseat, UnopenableFileSkipsTheReseat) {
  for (bool failRead : {false, true}) {
    Fixture f(GroundPlacement::kDirectLandedStateBuild - 1);
    (failRead ? f.Files().failReads : f.Files().failWrites).insert("VARNCRAWLER");
    const double lonBefore = f.sim->Find("G")->lon;
    VESSELSTATUS2 status = f.Moved(0.3, 0.3, 0.3);
    GroundPlacement::Reseat(*f.vessel, status, "VARNCRAWLER", GroundPlacement::Form::Crawler);
    EXPECT_EQ(f.sim->Find("G")->lon, lonBefore) << (failRead ? "read" : "write");
    EXPECT_TRUE(f.sim->Errors().empty());
  }
}

TEST(GroundPlacementPadDistance, MeasuresToThePadOrGivesNothing) {
  Fixture without(GroundPlacement::kDirectLandedStateBuild);
  double distance = 123;
  EXPECT_FALSE(GroundPlacement::PadDistance(*without.vessel, distance));
  EXPECT_EQ(distance, 123);
  without.sim.reset();

  Fixture with(GroundPlacement::kDirectLandedStateBuild, true);
  ASSERT_TRUE(GroundPlacement::PadDistance(*with.vessel, distance));
  EXPECT_NEAR(distance, 50, 0.01);
}

}  // namespace
