#include "crawler_test_fixture.h"
#include "mesh_groups.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace crawlertest;
using namespace crawler;
using varn::Simulation;

namespace {

// Rotation of a mesh group about the vertical, in degrees (0 when it is not turned).
double TurnAboutVertical(const Simulation& sim, const std::string& vessel, UINT group) {
  const varn::Transform t = sim.GroupTransform(vessel, 0, group);
  return std::atan2(t.m.m13, t.m.m11) / kDegree;
}

void ExpectShift(const varn::Transform& t, const VECTOR3& shift) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(t.t.data[i], shift.data[i], 1e-9) << "axis " << i;
}

}  // namespace

// Steering centred: trucks as modelled; at either end each truck stands 6 degrees to its side,
// turning about its own pivot. The other crawler, sharing the transforms, stays as modelled.
TEST(CrawlerAnimations, TrucksSteerSixDegreesEachWayAndCrawlersAnimateIndependently) {
  auto sim = TwoCrawlers();
  sim->Step();
  for (int t = 0; t < kTruckCount; ++t) EXPECT_NEAR(TurnAboutVertical(*sim, "Crawler", groups::TruckFirst(t)), 0, 1e-9);

  double turned[2];
  const DWORD keys[2] = {OAPI_KEY_NUMPAD3, OAPI_KEY_NUMPAD1};
  for (int side = 0; side < 2; ++side) {
    HoldKey(*sim, keys[side], 120);
    ASSERT_EQ(CrawlerOf(*sim).Steering(), side == 0 ? 0.0 : 1.0);
    turned[side] = TurnAboutVertical(*sim, "Crawler", groups::TruckFirst(RearRight));
    EXPECT_NEAR(std::fabs(turned[side]), 6.0, 1e-5);
    for (int t = 0; t < kTruckCount; ++t) {
      EXPECT_NEAR(TurnAboutVertical(*sim, "Crawler", groups::TruckFirst(t)), turned[side], 1e-5);
      EXPECT_NEAR(TurnAboutVertical(*sim, "Other", groups::TruckFirst(t)), 0, 1e-9);
    }
  }
  EXPECT_LT(turned[0] * turned[1], 0);

  const varn::VesselRecord& a = *sim->Find("Crawler");
  const varn::VesselRecord& b = *sim->Find("Other");
  ASSERT_EQ(a.components.size(), b.components.size());
  for (size_t i = 0; i < a.components.size(); ++i) EXPECT_EQ(a.components[i].transform, b.components[i].transform);
}

// With the deck up the deck and the cab controls stand 2 m higher, and the lamps still move.
TEST(CrawlerAnimations, CabControlsRideWithTheDeck) {
  auto sim = TwoCrawlers();
  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 101);
  ASSERT_EQ(CrawlerOf(*sim).DeckLift(), 1.0);
  const VECTOR3 up = _V(0, 2, 0);
  for (UINT group : {groups::kDeckFirst, groups::kDeckFirst + groups::kDeckCount - 1, groups::kFrontWheel,
                     groups::kRearWheel, groups::kFrontNeedle, groups::kRearNeedle, groups::kFrontForwardLamp}) {
    SCOPED_TRACE(group);
    ExpectShift(sim->GroupTransform("Crawler", 0, group), up);
  }
  sim->PressKey(OAPI_KEY_NUMPAD8);
  ExpectShift(sim->GroupTransform("Crawler", 0, groups::kFrontForwardLamp), _V(0.01, 2.004, -0.01));
  ExpectShift(sim->GroupTransform("Crawler", 0, groups::kRearDriveLamp), _V(-0.01, 2, 0));
  // A point of a corner cylinder at twice its reference height stretches to 2.7 times as high.
  const varn::Transform cylinder = sim->GroupTransform("Crawler", 0, groups::Cylinder(RearRight));
  EXPECT_NEAR(cylinder.Apply(_V(13.75165, 2 * 2.312, -14.283)).y, 2.312 + 2.7 * 2.312, 1e-9);
}
