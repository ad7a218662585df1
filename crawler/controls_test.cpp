#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace crawlertest;
using crawler::Gear;
using varn::Simulation;

TEST(CrawlerKeys, BufferedKeysActOnKeyDownAndReportWhatTheyConsume) {
  const struct {
    const char* name;
    DWORD key, modifier;
    int consumed;
  } cases[] = {
      {"J", OAPI_KEY_J, 0, 1},          {"K", OAPI_KEY_K, 0, 1},
      {"4", OAPI_KEY_4, 0, 1},          {"5", OAPI_KEY_5, 0, 1},
      {"V", OAPI_KEY_V, 0, 1},          {"B", OAPI_KEY_B, 0, 1},
      {"1", OAPI_KEY_1, 0, 1},          {"A", OAPI_KEY_A, 0, 0},
      {"keypad 8", OAPI_KEY_NUMPAD8, 0, 1}, {"keypad 4", OAPI_KEY_NUMPAD4, 0, 1},
      {"keypad 2", OAPI_KEY_NUMPAD2, 0, 1}, {"keypad 5", OAPI_KEY_NUMPAD5, 0, 1},
      {"keypad +", OAPI_KEY_ADD, 0, 0}, {"C with keypad 2 held", OAPI_KEY_C, OAPI_KEY_NUMPAD2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto sim = TwoCrawlers();
    EXPECT_EQ(sim->PressKey(c.key, c.modifier), c.consumed);
    EXPECT_EQ(sim->ReleaseKey(c.key), 0);
  }
  auto sim = TwoCrawlers();
  sim->PressKey(OAPI_KEY_C, OAPI_KEY_NUMPAD2);
  EXPECT_EQ(CrawlerOf(*sim).CurrentGear(), Gear::Reverse);
}

TEST(CrawlerKeys, GearKeysSetTheGearLamps) {
  const struct {
    DWORD key;
    Gear gear;
    double forward, drive, reverse;
  } cases[] = {
      {OAPI_KEY_NUMPAD8, Gear::Forward, 1, 1, 0},
      {OAPI_KEY_NUMPAD2, Gear::Reverse, 0, 1, 1},
      {OAPI_KEY_NUMPAD4, Gear::Neutral, 0, 0, 0},
  };
  auto sim = TwoCrawlers();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    sim->PressKey(c.key);
    sim->Step();  // lets the key go
    EXPECT_EQ(CrawlerOf(*sim).CurrentGear(), c.gear);
    EXPECT_EQ(AnimationState(*sim, kForwardLamp), c.forward);
    EXPECT_EQ(AnimationState(*sim, kDriveLamp), c.drive);
    EXPECT_EQ(AnimationState(*sim, kReverseLamp), c.reverse);
  }
}

TEST(CrawlerKeys, HeldKeysPassThroughUntilTheFirstStep) {
  auto sim = TwoCrawlers();
  sim->SetKeyHeld(OAPI_KEY_ADD, true);
  EXPECT_EQ(sim->ConsumeDirectKeys(), 0);
  sim->Step();
  // In neutral the speed keys do nothing but are still taken.
  EXPECT_EQ(sim->ConsumeDirectKeys(), 1);
  EXPECT_EQ(CrawlerOf(*sim).Speed(), 0.0);
  sim->SetKeyHeld(OAPI_KEY_ADD, false);
  EXPECT_EQ(sim->ConsumeDirectKeys(), 0);
}

TEST(CrawlerKeys, OnlyTheFirstHeldDirectKeyActsInAFrame) {
  auto sim = TwoCrawlers();
  sim->Step();
  sim->PressKey(OAPI_KEY_NUMPAD8);
  sim->SetKeyHeld(OAPI_KEY_ADD, true);
  sim->SetKeyHeld(OAPI_KEY_NUMPAD1, true);
  EXPECT_EQ(sim->ConsumeDirectKeys(), 1);
  EXPECT_NEAR(CrawlerOf(*sim).Speed(), 0.01, 1e-15);
  EXPECT_EQ(CrawlerOf(*sim).Steering(), 0.5);
}

TEST(CrawlerViews, ViewKeyCyclesThroughTheSixViews) {
  const struct {
    VECTOR3 position, direction;
  } views[] = {
      {_V(-15.9, 5.2, -18.351), _V(0, 0, -1)}, {_V(0, 1.5, 22), _V(0, 0, 1)},
      {_V(0, 1.5, -23), _V(0, 0, -1)},         {_V(-9.634392, 1.5, -2.8), _V(0, 0, -1)},
      {_V(9.634392, 1.5, 1.5), _V(0, 0, 1)},   {_V(16, 5.2, 17.5), _V(0, 0, 1)},
  };
  auto sim = TwoCrawlers();
  sim->Step();
  for (int press = 0; press < 6; ++press) {
    SCOPED_TRACE(press + 1);
    sim->PressKey(OAPI_KEY_V);
    const varn::VesselRecord& record = *sim->Find("Crawler");
    EXPECT_EQ(CrawlerOf(*sim).CameraView(), (press + 1) % 6);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(record.cameraOffset.data[i], views[press].position.data[i]);
      EXPECT_EQ(record.cameraDirection.data[i], views[press].direction.data[i]);
    }
    // The next steps hold the view's place and direction.
    RunFrames(*sim, 2);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(record.cameraOffset.data[i], views[press].position.data[i], 1e-12);
      EXPECT_EQ(record.cameraDirection.data[i], views[press].direction.data[i]);
    }
  }
}

TEST(CrawlerLights, FloodlightsFollowTheSwitchFromTheNextStep) {
  auto sim = TwoCrawlers();
  const varn::VesselRecord& record = *sim->Find("Crawler");
  ASSERT_EQ(record.lights.size(), 2u);
  sim->Step();
  EXPECT_TRUE(record.lights[0]->IsActive());
  EXPECT_TRUE(record.lights[1]->IsActive());
  for (bool on : {false, true}) {
    sim->PressKey(OAPI_KEY_B);
    EXPECT_EQ(CrawlerOf(*sim).LightSwitch(), on ? 1 : 0);
    EXPECT_NE(record.lights[0]->IsActive(), on);
    sim->Step();
    EXPECT_EQ(record.lights[0]->IsActive(), on);
    EXPECT_EQ(record.lights[1]->IsActive(), on);
  }
}

TEST(CrawlerFocus, LosingTheFocusClearsTheDebugLine) {
  auto sim = TwoCrawlers();
  std::strcpy(oapiDebugString(), "left over");
  ASSERT_TRUE(sim->SetFocus("Other"));
  EXPECT_STREQ(sim->DebugString(), "");
}
