// Through the real module library: the host loads VARN_DORORUR2016udi.so for class VARNCRAWLER.
#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstring>

using namespace crawlertest;

namespace {

double RadiusOf(const varn::VesselRecord& record) {
  return length(record.gpos - _V(varn::kEarthDistanceFromSun, 0, 0));
}

}  // namespace

// Pick up a launcher, raise the deck and drive onto the ramp: the launcher rides with the deck
// and the ramp, and the HUD shows the speed.
TEST(CrawlerModule, PicksUpRaisesAndClimbsWithTheRealLibrary) {
  varn::ScenarioBuilder scenario;
  AddCrawler(scenario, "Crawler", -340, 0, 0);
  const SurfacePoint at = OffsetFromPad(-340, 0);
  scenario.AddLanded("ML", "MobileLauncher", at.lonDeg, at.latDeg, 0);
  scenario.AddLanded("LP39_VARN", "LaunchPad", kPadLonDeg, kPadLatDeg, 0);
  scenario.Focus("Crawler");
  auto sim = varn::LoadTestScenario(scenario.Text());
  ASSERT_EQ(sim->Find("Crawler")->moduleName, "VARN_DORORUR2016udi");

  EXPECT_EQ(sim->PressKey(OAPI_KEY_4), 1);
  const OBJHANDLE launcher = sim->Interface("ML")->GetHandle();
  EXPECT_EQ(sim->Find("Crawler")->attachments.at(1).other, launcher);
  sim->PressKey(OAPI_KEY_K);
  sim->Step();
  sim->PressKey(OAPI_KEY_NUMPAD8);
  HoldKey(*sim, OAPI_KEY_ADD, 200);
  RunSeconds(*sim, 20);

  const varn::VesselRecord& crawler = *sim->Find("Crawler");
  const double meshLift = crawler.meshes.at(0).offset.y;
  EXPECT_GT(meshLift, 1.0);
  const double deckHeight = crawler.attachments.at(1).pos.y - crawler::kLauncherPointBase;
  EXPECT_GT(deckHeight, meshLift);
  EXPECT_NEAR(RadiusOf(*sim->Find("ML")) - RadiusOf(crawler), crawler.attachments.at(1).pos.y, 1e-3);
  EXPECT_NE(crawler.animations.at(kRearTrucks).state, 0.0);

  bool shown = false;
  for (size_t i = 0; i < crawler.hudCount && i < crawler.hud.size(); ++i) {
    shown = shown || std::strcmp(crawler.hud[i].text, "Current Ground Speed 2.00") == 0;
  }
  EXPECT_TRUE(shown);

  EXPECT_EQ(sim->PressKey(OAPI_KEY_5), 1);
  EXPECT_EQ(sim->Find("Crawler")->attachments.at(1).other, nullptr);
  EXPECT_TRUE(sim->Errors().empty());
}

TEST(CrawlerModule, ExitWithoutAnObjectDoesNothing) {
  const std::string path = varn::TestOptions().modulesDir + "/VARN_DORORUR2016udi.so";
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto exit = reinterpret_cast<void (*)(VESSEL*)>(dlsym(library, "ovcExit"));
  ASSERT_NE(exit, nullptr);
  exit(nullptr);
  dlclose(library);
}
