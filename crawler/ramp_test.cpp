#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace crawlertest;
using namespace crawler;
using varn::Simulation;

namespace {

const double kGradient = kRampGradient;
const double kTolerance = 1e-3;  // the pad distance is a chord between two host positions

// A crawler south of the pad (distance in metres) with the given heading, and the pad.
std::unique_ptr<Simulation> CrawlerBeforePad(double southMetres, double headingDeg, bool withPad = true) {
  varn::ScenarioBuilder scenario;
  AddCrawler(scenario, "Crawler", -southMetres, 0, headingDeg);
  if (withPad) scenario.AddLanded("LP39_VARN", "LaunchPad", kPadLonDeg, kPadLatDeg, 0);
  return LoadLinked(scenario.Text());
}

double Height(double x) { return std::min((330 - x) * kGradient, 15.45); }

}  // namespace

// Heights, slopes and truck settings over the ramp, deck down.
TEST(CrawlerRamp, HeightsSlopesAndLevellingAlongTheRamp) {
  const double slope = std::atan(kGradient);
  const double pitch = slope / (20 * kDegree);
  const struct {
    const char* name;
    double distance, headingDeg;
    double nearHeight, midHeight, nearSlope, farSlope;
    double rearPitch, frontPitch, rearTrucks, frontTrucks;
  } cases[] = {
      {"off the ramp", 400, 0, 0.01, 0.01, 0, 0, 0.5, 0.5, 0, 0},
      {"near end at 200 m", 220, 0, 130 * kGradient, Height(220 - 8.027), slope, slope, 0.5 + pitch, 0.5 + pitch,
       0.5 * (130 * kGradient - Height(220 - 8.027)), 0},
      {"backing up, near end at 200 m", 220, 180, 130 * kGradient, Height(220 - 8.027), slope, slope, 0.5 - pitch,
       0.5 - pitch, 0, 0.5 * (130 * kGradient - Height(220 - 8.027))},
      {"middle sample before the foot", 345, 0, 5 * kGradient, 0.35, slope,
       std::atan((0.35 - Height(365)) / (20 + 8.027)), 0.5 + pitch,
       0.5 + std::atan((0.35 - Height(365)) / (20 + 8.027)) / (20 * kDegree), 0.5 * (5 * kGradient - 0.35), 0},
      {"at the top", 40, 0, 15.45, 15.45, 0, 0, 0.5, 0.5, 0, 0},
      {"across the ramp", 220, 90, 110 * kGradient, 110 * kGradient, 0, 0, 0.5, 0.5, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto sim = CrawlerBeforePad(c.distance, c.headingDeg);
    sim->Step();
    const VARNCRAWLER& crawler = CrawlerOf(*sim);
    EXPECT_NEAR(crawler.NearEndHeight(), c.nearHeight, kTolerance);
    EXPECT_NEAR(crawler.MidHeight(), c.midHeight, kTolerance);
    EXPECT_NEAR(crawler.NearSlope(), c.nearSlope, kTolerance);
    EXPECT_NEAR(crawler.FarSlope(), c.farSlope, kTolerance);
    EXPECT_NEAR(AnimationState(*sim, kRearPitch), c.rearPitch, kTolerance);
    EXPECT_NEAR(AnimationState(*sim, kFrontPitch), c.frontPitch, kTolerance);
    EXPECT_NEAR(AnimationState(*sim, kRearTrucks), c.rearTrucks, kTolerance);
    EXPECT_NEAR(AnimationState(*sim, kRearCylinders), c.rearTrucks, kTolerance);
    EXPECT_NEAR(AnimationState(*sim, kFrontTrucks), c.frontTrucks, kTolerance);
    EXPECT_NEAR(AnimationState(*sim, kFrontCylinders), c.frontTrucks, kTolerance);

    const bool onRamp = c.distance < 350;
    const double lift = onRamp ? c.nearHeight : 0;
    EXPECT_NEAR(crawler.MeshLift(), lift, kTolerance);
    EXPECT_NEAR(sim->Find("Crawler")->meshes.at(0).offset.y, lift, kTolerance);
    EXPECT_NEAR(crawler.LauncherPointPos().y, kLauncherPointBase + lift, kTolerance);
    EXPECT_NEAR(sim->Find("Crawler")->cameraOffset.y, 5.2 + lift, kTolerance);
    EXPECT_TRUE(sim->Errors().empty());
  }
}

// With the deck up the mesh rises by half the deck lift more, the launcher point and the cab
// camera by the deck travel as well, and the upper trucks extend by half of it.
TEST(CrawlerRamp, RaisedDeckLevelsOnTheRamp) {
  auto sim = CrawlerBeforePad(220, 0);
  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 110);
  const VARNCRAWLER& crawler = CrawlerOf(*sim);
  ASSERT_EQ(crawler.DeckLift(), 1.0);
  const double near = 130 * kGradient;
  const double lift = near + 0.5;
  EXPECT_NEAR(crawler.MeshLift(), lift, kTolerance);
  EXPECT_NEAR(crawler.LauncherPointPos().y, kLauncherPointBase + 2 + lift, kTolerance);
  EXPECT_NEAR(sim->Find("Crawler")->cameraOffset.y, 5.2 + 2 + lift, kTolerance);
  EXPECT_NEAR(AnimationState(*sim, kRearTrucks), 0.5 * (lift - Height(220 - 8.027)), kTolerance);
  EXPECT_NEAR(AnimationState(*sim, kFrontTrucks), 0.25, kTolerance);

  // An outside view stands 1.5 m above the ramp height, capped at the ramp top.
  sim->PressKey(OAPI_KEY_V);
  sim->PressKey(OAPI_KEY_V);
  RunFrames(*sim, 2);
  EXPECT_NEAR(sim->Find("Crawler")->cameraOffset.y, 1.5 + lift, kTolerance);
}

TEST(CrawlerRamp, WithoutThePadTheCrawlerCountsAsOffTheRamp) {
  auto sim = CrawlerBeforePad(220, 0, false);
  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 50);
  const VARNCRAWLER& crawler = CrawlerOf(*sim);
  EXPECT_EQ(crawler.MeshLift(), 0.0);
  // The point is set before the jacks run in the step, from the deck height the step began with.
  EXPECT_NEAR(crawler.LauncherPointPos().y, kLauncherPointBase + 2 * crawler.DeckLift(), 1e-3);
  EXPECT_EQ(AnimationState(*sim, kRearPitch), 0.5);
}

// Driving up the ramp, the mesh follows the ramp height step by step.
TEST(CrawlerRamp, MeshFollowsTheRampWhileDriving) {
  auto sim = CrawlerBeforePad(352, 0);
  sim->Step();
  sim->PressKey(OAPI_KEY_NUMPAD8);
  HoldKey(*sim, OAPI_KEY_ADD, 278);
  RunSeconds(*sim, 20);
  const VARNCRAWLER& crawler = CrawlerOf(*sim);
  EXPECT_GT(crawler.MeshLift(), 1.0);
  EXPECT_NEAR(sim->Find("Crawler")->meshes.at(0).offset.y, crawler.MeshLift(), 1e-9);
  EXPECT_NEAR(crawler.MeshLift(), crawler.NearEndHeight(), 1e-12);
}

// Backing off the ramp sets the crawler down as if it had never climbed: the mesh back on the
// ground and the trucks and cylinders unextended, with the launcher point and the cab camera.
TEST(CrawlerRamp, LeavingTheRampSetsTheMeshAndTrucksBackDown) {
  auto sim = CrawlerBeforePad(345, 0);
  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 50);
  sim->PressKey(OAPI_KEY_K);
  const VARNCRAWLER& crawler = CrawlerOf(*sim);
  ASSERT_GT(crawler.MeshLift(), 0.5);
  ASSERT_NE(AnimationState(*sim, kRearTrucks), 0.0);
  ASSERT_NE(AnimationState(*sim, kFrontTrucks), 0.0);

  sim->PressKey(OAPI_KEY_NUMPAD2);
  HoldKey(*sim, OAPI_KEY_ADD, 100);
  RunSeconds(*sim, 15);
  const double deck = kDeckTravel * crawler.DeckLift();
  EXPECT_EQ(crawler.MeshLift(), 0.0);
  EXPECT_NEAR(sim->Find("Crawler")->meshes.at(0).offset.y, 0.0, 1e-12);
  for (AnimationIndex extension : {kRearTrucks, kRearCylinders, kFrontTrucks, kFrontCylinders}) {
    EXPECT_EQ(AnimationState(*sim, extension), 0.0) << extension;
  }
  EXPECT_EQ(AnimationState(*sim, kRearPitch), 0.5);
  EXPECT_NEAR(crawler.LauncherPointPos().y, kLauncherPointBase + deck, 1e-12);
  EXPECT_NEAR(sim->Find("Crawler")->cameraOffset.y, kCabCameraHeight + deck, 1e-12);
}
