#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace crawlertest;
using crawler::kDegree;
using varn::Simulation;

namespace {

const double kDt = 0.02;  // the test options' step length

std::unique_ptr<Simulation> LoneCrawler(double headingDeg, varn::HostOptions options = varn::TestOptions()) {
  varn::ScenarioBuilder scenario;
  AddCrawler(scenario, "Crawler", 0, 0, headingDeg);
  return LoadLinked(scenario.Text(), std::move(options));
}

// Engages a gear and holds numeric keypad + for the given number of frames (0.01 each).
void Drive(Simulation& sim, DWORD gearKey, int speedFrames) {
  sim.PressKey(gearKey);
  HoldKey(sim, OAPI_KEY_ADD, speedFrames);
}

const varn::VesselRecord& Record(Simulation& sim) { return *sim.Find("Crawler"); }

// Ground travel of the crawler over a number of frames.
GroundStep TravelOver(Simulation& sim, int frames) {
  const double lon = Record(sim).lon, lat = Record(sim).lat;
  RunFrames(sim, frames);
  return GroundStepBetween(lon, lat, Record(sim).lon, Record(sim).lat);
}

}  // namespace

TEST(CrawlerTravel, CoversSpeedFactorMetresPerSecondOfSpeedOnEveryHeading) {
  for (double headingDeg : {0.0, 45.0, 90.0, 135.0, 180.0, 270.0}) {
    SCOPED_TRACE(headingDeg);
    auto sim = LoneCrawler(headingDeg);
    sim->Step();
    Drive(*sim, OAPI_KEY_NUMPAD8, 100);
    const double speed = CrawlerOf(*sim).Speed();
    ASSERT_NEAR(speed, 1.0, 1e-12);
    const GroundStep step = TravelOver(*sim, 50);
    const double metres = 0.833 * speed;
    EXPECT_NEAR(step.north, metres * std::cos(headingDeg * kDegree), 1e-6);
    EXPECT_NEAR(step.east, metres * std::sin(headingDeg * kDegree), 1e-6);
  }
}

TEST(CrawlerTravel, SpeedKeysStopAtTheLimit) {
  auto sim = LoneCrawler(0);
  sim->Step();
  Drive(*sim, OAPI_KEY_NUMPAD8, 300);
  EXPECT_EQ(CrawlerOf(*sim).Speed(), 2.78);
  HoldKey(*sim, OAPI_KEY_SUBTRACT, 300);
  EXPECT_EQ(CrawlerOf(*sim).Speed(), 0.0);
}

TEST(CrawlerTravel, FreshCrawlerInNeutralIgnoresSpeedKeysAndStays) {
  auto sim = LoneCrawler(0);
  const double lon = Record(*sim).lon, lat = Record(*sim).lat;
  HoldKey(*sim, OAPI_KEY_ADD, 50);
  EXPECT_EQ(CrawlerOf(*sim).Speed(), 0.0);
  EXPECT_EQ(Record(*sim).lon, lon);
  EXPECT_EQ(Record(*sim).lat, lat);
}

// In neutral the crawler rolls on in its last gear's direction while the speed bleeds off by
// 0.01 a step, then stands.
TEST(CrawlerTravel, CoastsInNeutralInTheLastGearsDirection) {
  const struct {
    DWORD gearKey;
    double sign;
  } cases[] = {{OAPI_KEY_NUMPAD8, 1}, {OAPI_KEY_NUMPAD2, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gearKey);
    auto sim = LoneCrawler(0);
    sim->Step();
    Drive(*sim, c.gearKey, 50);
    sim->PressKey(OAPI_KEY_NUMPAD4);
    const GroundStep coast = TravelOver(*sim, 50);
    EXPECT_EQ(CrawlerOf(*sim).Speed(), 0.0);
    // Each step moves at the speed it starts with: 0.50, 0.49, ... 0.01.
    EXPECT_NEAR(coast.north, c.sign * 0.833 * kDt * 12.75, 1e-6);
    const GroundStep standing = TravelOver(*sim, 10);
    EXPECT_EQ(standing.north, 0.0);
  }
}

// Driving from the rear cab reverses every direction of travel; the cab follows the camera view
// only while in neutral.
TEST(CrawlerTravel, RearCabReversesEveryDirection) {
  const struct {
    const char* name;
    bool rearCabView;      // view 1 chosen in neutral before engaging
    DWORD gearKey;
    bool thenNeutral;
    bool rearViewInGear;   // view 1 chosen while in gear: the cab stays
    double sign;
  } cases[] = {
      {"forward", false, OAPI_KEY_NUMPAD8, false, false, 1},
      {"reverse", false, OAPI_KEY_NUMPAD2, false, false, -1},
      {"rear cab forward", true, OAPI_KEY_NUMPAD8, false, false, -1},
      {"rear cab reverse", true, OAPI_KEY_NUMPAD2, false, false, 1},
      {"neutral after forward", false, OAPI_KEY_NUMPAD8, true, false, 1},
      {"neutral after reverse", false, OAPI_KEY_NUMPAD2, true, false, -1},
      {"rear cab neutral after forward", true, OAPI_KEY_NUMPAD8, true, false, -1},
      {"rear cab neutral after reverse", true, OAPI_KEY_NUMPAD2, true, false, 1},
      {"rear view chosen in gear", false, OAPI_KEY_NUMPAD8, false, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto sim = LoneCrawler(0);
    sim->Step();
    if (c.rearCabView) {
      sim->PressKey(OAPI_KEY_V);
      sim->Step();
      EXPECT_EQ(CrawlerOf(*sim).RearCab(), 1);
    }
    Drive(*sim, c.gearKey, 50);
    if (c.rearViewInGear) {
      sim->PressKey(OAPI_KEY_V);
      sim->Step();
    }
    if (c.thenNeutral) sim->PressKey(OAPI_KEY_NUMPAD4);
    const GroundStep step = TravelOver(*sim, 5);
    EXPECT_GT(c.sign * step.north, 0.0);
  }
}

TEST(CrawlerTurning, EachSideTurnsAtItsOwnRateAlsoStandingStill) {
  const struct {
    DWORD key;
    double steering;
    double headingRate;  // rad/s
  } cases[] = {{OAPI_KEY_NUMPAD1, 0.6, -1.5 * kDegree}, {OAPI_KEY_NUMPAD3, 0.4, 0.01}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steering);
    auto sim = LoneCrawler(90);
    sim->Step();
    HoldKey(*sim, c.key, 10);
    EXPECT_NEAR(CrawlerOf(*sim).Steering(), c.steering, 1e-12);
    const double before = Record(*sim).heading;
    RunSeconds(*sim, 1.0);
    EXPECT_NEAR(Record(*sim).heading - before, c.headingRate, 1e-9);
    EXPECT_EQ(AnimationState(*sim, kSteering), CrawlerOf(*sim).Steering());
  }
}

TEST(CrawlerTurning, HeadingWrapsAroundTheFullTurn) {
  const struct {
    double headingDeg;
    DWORD key;
  } cases[] = {{0.5, OAPI_KEY_NUMPAD1}, {359.9, OAPI_KEY_NUMPAD3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headingDeg);
    auto sim = LoneCrawler(c.headingDeg);
    sim->Step();
    HoldKey(*sim, c.key, 2);
    RunSeconds(*sim, 1.0);
    const double heading = Record(*sim).heading;
    EXPECT_GE(heading, 0.0);
    EXPECT_LT(heading, crawler::kFullTurn);
    const double turned = std::remainder(heading - c.headingDeg * kDegree, crawler::kFullTurn);
    EXPECT_LT(std::fabs(turned), 2 * kDegree);
  }
}

TEST(CrawlerTurning, RecentringTakesFiveStepsFromFiftyFiveHundredthsTurningAllTheWay) {
  auto sim = LoneCrawler(90);
  sim->Step();
  HoldKey(*sim, OAPI_KEY_NUMPAD1, 5);
  ASSERT_NEAR(CrawlerOf(*sim).Steering(), 0.55, 1e-12);
  sim->PressKey(OAPI_KEY_NUMPAD5);
  for (int step = 1; step <= 5; ++step) {
    SCOPED_TRACE(step);
    const double before = Record(*sim).heading;
    sim->Step();
    EXPECT_LT(Record(*sim).heading, before);
  }
  EXPECT_EQ(CrawlerOf(*sim).Steering(), 0.5);
  EXPECT_FALSE(CrawlerOf(*sim).Recentring());
  const double settled = Record(*sim).heading;
  RunFrames(*sim, 5);
  EXPECT_EQ(Record(*sim).heading, settled);
}

// Steering to full lock and back leaves a rounding residue of 0.01 steps; the crawler must not
// keep turning, nor show its trucks turned, with its wheel centred.
TEST(CrawlerTurning, SteeringBackFromFullLockStopsTheTurn) {
  const struct {
    DWORD away, back;
  } cases[] = {{OAPI_KEY_NUMPAD3, OAPI_KEY_NUMPAD1}, {OAPI_KEY_NUMPAD1, OAPI_KEY_NUMPAD3}};
  for (const auto& c : cases) {
    auto sim = LoneCrawler(90);
    sim->Step();
    HoldKey(*sim, c.away, 60);
    HoldKey(*sim, c.back, 50);
    EXPECT_EQ(CrawlerOf(*sim).Steering(), 0.5);
    const double heading = Record(*sim).heading;
    RunFrames(*sim, 50);
    EXPECT_EQ(Record(*sim).heading, heading);
    EXPECT_EQ(AnimationState(*sim, kSteering), 0.5);  // the trucks show it centred too
  }
}

TEST(CrawlerJacks, JackKeysToggleAndReverse) {
  using crawler::Hold;
  using crawler::Lower;
  using crawler::Raise;
  const struct {
    std::vector<DWORD> keys;
    crawler::JackCommand command;
  } cases[] = {
      {{OAPI_KEY_K}, Raise},
      {{OAPI_KEY_J}, Lower},
      {{OAPI_KEY_K, OAPI_KEY_K}, Hold},
      {{OAPI_KEY_J, OAPI_KEY_J}, Hold},
      {{OAPI_KEY_K, OAPI_KEY_J}, Lower},
      {{OAPI_KEY_J, OAPI_KEY_K}, Raise},
      {{OAPI_KEY_J, OAPI_KEY_J, OAPI_KEY_K}, Raise},  // lowering: J stops it, K raises
  };
  for (const auto& c : cases) {
    auto sim = LoneCrawler(0);
    for (DWORD key : c.keys) EXPECT_EQ(sim->PressKey(key), 1);
    EXPECT_EQ(CrawlerOf(*sim).CurrentJackCommand(), c.command);
  }
}

TEST(CrawlerJacks, DeckRisesFullyInOneHundredSecondsAndStops) {
  auto sim = LoneCrawler(0);
  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 100);
  EXPECT_NEAR(CrawlerOf(*sim).DeckLift(), 1.0, 1e-9);
  RunSeconds(*sim, 10);
  const VARNCRAWLER& c = CrawlerOf(*sim);
  EXPECT_EQ(c.DeckLift(), 1.0);
  EXPECT_EQ(c.CurrentJackCommand(), crawler::Raise);
  EXPECT_EQ(AnimationState(*sim, kDeckLift), 1.0);
  EXPECT_NEAR(c.LauncherPointPos().y, crawler::kLauncherPointBase + 2, 1e-12);
  EXPECT_NEAR(Record(*sim).attachments[1].pos.y, crawler::kLauncherPointBase + 2, 1e-12);

  sim->PressKey(OAPI_KEY_J);
  RunSeconds(*sim, 110);
  EXPECT_EQ(CrawlerOf(*sim).DeckLift(), 0.0);
  EXPECT_NEAR(Record(*sim).attachments[1].pos.y, crawler::kLauncherPointBase, 1e-12);
}

// Old host builds take the moved position through the temporary state file; the crawler ends
// where it does on a new host.
TEST(CrawlerTravel, OldHostReseatsThroughTheStateFileToTheSamePlace) {
  double lon[2], lat[2];
  for (int build : {160903, 160902}) {
    varn::HostOptions options = varn::TestOptions();
    options.hostBuild = build;
    auto sim = LoneCrawler(30, options);
    sim->Step();
    Drive(*sim, OAPI_KEY_NUMPAD8, 100);
    HoldKey(*sim, OAPI_KEY_NUMPAD1, 10);
    RunSeconds(*sim, 1);
    const int i = build == 160903 ? 0 : 1;
    lon[i] = Record(*sim).lon;
    lat[i] = Record(*sim).lat;
    const auto& files = varn::MemoryFiles(options).files;
    EXPECT_EQ(files.count("VARNCRAWLER"), build == 160903 ? 0u : 1u);
  }
  EXPECT_NEAR(lon[1], lon[0], 1e-12);
  EXPECT_NEAR(lat[1], lat[0], 1e-12);
}
