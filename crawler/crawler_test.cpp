#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace crawlertest;
using namespace crawler;
using varn::Simulation;

namespace {

std::unique_ptr<Simulation> LoneCrawler(varn::HostOptions options = varn::TestOptions()) {
  varn::ScenarioBuilder scenario;
  AddCrawler(scenario, "Crawler", -1000, 0, 0);
  return LoadLinked(scenario.Text(), std::move(options));
}

void ExpectVector(const VECTOR3& v, double x, double y, double z) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
}

}  // namespace

TEST(CrawlerDefinition, TellsTheHostItsShapeLightsMeshAndLauncherPoints) {
  auto sim = LoneCrawler();
  const varn::VesselRecord& r = *sim->Find("Crawler");
  EXPECT_EQ(r.size, 6.08);
  EXPECT_EQ(r.emptyMass, 2721000);
  ExpectVector(r.cameraOffset, 16, 5.2, 17.5);
  ASSERT_EQ(r.touchdown.size(), 3u);
  ExpectVector(r.touchdown[0].pos, 0, 0.001, 20);
  ExpectVector(r.touchdown[1].pos, -15, 0.001, -20);
  ExpectVector(r.touchdown[2].pos, 15, 0.001, -20);

  ASSERT_EQ(r.lights.size(), 2u);
  ExpectVector(r.lights[0]->pos, 0, 70, -40);
  ExpectVector(r.lights[0]->dir, 0, -1, 1);
  ExpectVector(r.lights[1]->pos, 0, 70, 40);
  ExpectVector(r.lights[1]->dir, 0, -1, -1);
  EXPECT_EQ(r.lights[0]->range, 250);
  EXPECT_TRUE(r.lights[0]->IsActive());

  ASSERT_EQ(r.meshes.size(), 1u);
  EXPECT_EQ(r.meshes[0].name, "VARNCRAWLER3B");
  EXPECT_EQ(r.meshes[0].visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(r.animations.size(), 12u);

  // Two identical parent-side points; the launcher rides on the second.
  ASSERT_EQ(r.attachments.size(), 2u);
  for (const varn::AttachmentEntry& point : r.attachments) {
    EXPECT_FALSE(point.toParent);
    EXPECT_EQ(point.id, "PAD");
    EXPECT_TRUE(point.loose);
    ExpectVector(point.pos, 0, kLauncherPointBase, 0);
    ExpectVector(point.dir, 0, -1, 0);
    ExpectVector(point.rot, 0, 0, 1);
  }
  EXPECT_EQ(CrawlerOf(*sim).LauncherPoint(), sim->Interface("Crawler")->GetAttachmentHandle(false, 1));
}

TEST(CrawlerDefinition, MomentScalesOnlyWithTheRealisticFlightModel) {
  for (int flightModel : {0, 1}) {
    SCOPED_TRACE(flightModel);
    varn::HostOptions options = varn::TestOptions();
    options.flightModel = flightModel;
    auto sim = LoneCrawler(options);
    const varn::VesselRecord& r = *sim->Find("Crawler");
    EXPECT_EQ(r.pitchMomentScale, flightModel ? 1e-4 : 0.0);
    EXPECT_EQ(r.bankMomentScale, flightModel ? 1e-4 : 0.0);
    EXPECT_EQ(r.trimScale, 0.05);
  }
}

// A saved crawler carries only the host's state: gear, speed, steering, deck, view and lights
// start from their defaults again.
TEST(CrawlerScenario, SavesOnlyHostLinesAndReloadsToDefaults) {
  auto sim = LoneCrawler();
  sim->Step();
  sim->PressKey(OAPI_KEY_NUMPAD8);
  HoldKey(*sim, OAPI_KEY_ADD, 50);
  HoldKey(*sim, OAPI_KEY_NUMPAD1, 5);
  sim->PressKey(OAPI_KEY_K);
  sim->PressKey(OAPI_KEY_V);
  sim->PressKey(OAPI_KEY_B);
  RunSeconds(*sim, 5);
  const varn::VesselRecord& before = *sim->Find("Crawler");
  const double lon = before.lon, lat = before.lat, heading = before.heading;

  const std::string saved = sim->SaveScenario();
  const size_t begin = saved.find("Crawler:VARNCRAWLER");
  ASSERT_NE(begin, std::string::npos);
  const std::string block = saved.substr(begin, saved.find("END", begin) - begin);
  std::istringstream lines(block);
  std::string line, keywords;
  std::getline(lines, line);
  while (lines >> line) {
    keywords += line + " ";
    std::getline(lines, line);
  }
  EXPECT_EQ(keywords, "STATUS POS HEADING ") << block;
  sim.reset();

  auto reloaded = LoadLinked(saved);
  const VARNCRAWLER& c = CrawlerOf(*reloaded);
  const varn::VesselRecord& after = *reloaded->Find("Crawler");
  EXPECT_NEAR(after.lon, lon, 1e-12);
  EXPECT_NEAR(after.lat, lat, 1e-12);
  EXPECT_NEAR(after.heading, heading, 1e-12);
  EXPECT_EQ(c.CurrentGear(), Gear::Neutral);
  EXPECT_EQ(c.Speed(), 0.0);
  EXPECT_EQ(c.Steering(), 0.5);
  EXPECT_EQ(c.DeckLift(), 0.0);
  EXPECT_EQ(c.CameraView(), 0);
  EXPECT_EQ(c.LightSwitch(), 1);
  EXPECT_EQ(AnimationState(*reloaded, kDeckLift), 0.0);
  EXPECT_EQ(AnimationState(*reloaded, kSteering), 0.5);
}
