#include "tower_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace varn {
namespace {

const double kPi = 3.14159265358979323846;

struct Pivot {
  VECTOR3 ref, axis;
  double angleDeg;
};
const Pivot kLowArm = {_V(0, 17.104, -0.766), _V(1, 0, 0), -90};
const Pivot kSwing = {_V(-4.186, 39.28096, -5.806), _V(0, -1, 0), 55};
const Pivot kAccess = {_V(-8.721183, 38.82339, -6.128671), _V(0, 1, 0), 200};
const Pivot kDeckRight = {_V(1.7, -42.3, 17.25), _V(1, 0, -0.3), -40};
const Pivot kDeckLeft = {_V(-1.7, -42.3, 17.25), _V(1, 0, 0.3), -40};
const Pivot kUpperEM1 = {_V(-2.922714, 36.0, -3.728), _V(1, 0, 0), 70};
const Pivot kUpperEM2 = {_V(-2.922714, 47.813, -3.728), _V(1, 0, 0), 70};
const Pivot kSide = {_V(-4.469887, 35.55904, -4.783749), _V(0, 1, 0), -80};

struct Rotation {
  std::vector<UINT> groups;
  Pivot pivot;
};
using Animation = std::vector<Rotation>;

struct Variant {
  const char* name;
  const char* mesh;
  bool crewAccessArm;
  std::vector<Animation> animations;
};

const Variant kVariants[] = {
    {"VARNTOWER2016EM1",
     "VARN_2016/VARNTOWEREM1F",
     true,
     {{{{42}, kLowArm}},
      {{{74, 81, 82, 20, 19}, kUpperEM1}},
      {{{18, 4, 83, 49, 73}, kAccess}},
      {{{78, 35, 34}, kSwing}},
      {{{79, 36, 37}, kSwing}},
      {{{75, 21}, kSide}},
      {{{24, 76}, kDeckRight}, {{25, 77}, kDeckLeft}}}},
    {"VARNTOWER2016EM2",
     "VARN_2016/VARNTOWEREM2F",
     true,
     {{{{48}, kLowArm}},
      {{{81, 89, 90, 22, 19}, kUpperEM2}},
      {{{20, 4, 91, 55, 80}, kAccess}},
      {{{86, 41, 40}, kSwing}},
      {{{87, 42, 43}, kSwing}},
      {{{39, 38, 85}, kSwing}},
      {{{37, 36, 84}, kSwing}},
      {{{24, 82}, kDeckRight}, {{25, 83}, kDeckLeft}}}},
    {"VARNTOWER2016BLOCK2",
     "VARN_2016/VARNTOWERBLOCK2",
     false,
     {{{{42}, kLowArm}},
      {{{73, 35, 34}, kSwing}},
      {{{74, 36, 37}, kSwing}},
      {{{33, 32, 72}, kSwing}},
      {{{15, 14, 69}, kSwing}},
      {{{21, 70}, kDeckRight}, {{22, 71}, kDeckLeft}}}},
    {"VARNTOWER2016EM1BCARGO",
     "VARN_2016/VARNTOWEREM1BCARGO1A",
     false,
     {{{{41}, kLowArm}},
      {{{73, 34, 33}, kSwing}},
      {{{74, 35, 36}, kSwing}},
      {{{32, 31, 72}, kSwing}},
      {{{30, 29, 71}, kSwing}},
      {{{17, 69}, kDeckRight}, {{18, 70}, kDeckLeft}}}},
};

TEST(TowerDefinitionTest, EachVariantDefinesTheTowerWithItsMesh) {
  for (const Variant& variant : kVariants) {
    TowerScenario scenario;
    scenario.towerClass = variant.name;
    auto sim = LoadTower(scenario);
    const VesselRecord& tower = *sim->Find(kTowerName);
    SCOPED_TRACE(variant.name);

    EXPECT_EQ(tower.moduleName, variant.name);
    ASSERT_EQ(tower.meshes.size(), 1u);
    EXPECT_EQ(tower.meshes[0].name, variant.mesh);
    EXPECT_EQ(tower.meshes[0].visibility, MESHVIS_ALWAYS);
    EXPECT_EQ(tower.size, 60);
    EXPECT_EQ(tower.emptyMass, 4000000);
    EXPECT_TRUE(tower.transponder);

    ASSERT_EQ(tower.attachments.size(), 1u);
    const AttachmentEntry& rm1 = tower.attachments[0];
    EXPECT_EQ(rm1.id, "RM1");
    EXPECT_FALSE(rm1.toParent);
    ExpectVectorNear(rm1.pos, _V(0, -12.7, 10), 1e-9, "RM1 position");
    ExpectVectorNear(rm1.dir, _V(0, 1, 0), 1e-9, "RM1 direction");
    ExpectVectorNear(rm1.rot, _V(0, 0, 1), 1e-9, "RM1 rotation");

    ASSERT_EQ(tower.beacons.size(), 8u);
    const double offsets[8] = {1.2, 1.0, 0.8, 0.6, 0.4, 0.2, 0.0, -0.2};
    for (int i = 0; i < 8; ++i) {
      const BEACONLIGHTSPEC& beacon = *tower.beacons[i];
      EXPECT_NEAR(beacon.tofs, offsets[i], 1e-12) << "beacon " << i;
      EXPECT_EQ(beacon.shape, BEACONSHAPE_STAR);
      EXPECT_EQ(beacon.period, 0.8);
      EXPECT_EQ(beacon.duration, 0.1);
      ExpectVectorNear(*beacon.col, _V(1, 1, 1), 1e-9, "beacon colour");
    }
    ExpectVectorNear(*tower.beacons[0]->pos, _V(-7, 59.7, -6.6), 1e-9, "first beacon");
    ExpectVectorNear(*tower.beacons[7]->pos, _V(7, 0, -18), 1e-9, "last beacon");

    // After the scenario read the tower stands on three plain points.
    ASSERT_EQ(tower.touchdown.size(), 3u);
    ExpectVectorNear(tower.touchdown[0].pos, _V(0, -59.943, 10), 1e-9, "touchdown 1");
    ExpectVectorNear(tower.touchdown[1].pos, _V(-10.6, -59.943, -10), 1e-9, "touchdown 2");
    ExpectVectorNear(tower.touchdown[2].pos, _V(10.6, -59.943, -10), 1e-9, "touchdown 3");
  }
}

TEST(TowerDefinitionTest, PitchAndBankMomentScalesOnlyWithTheRealisticFlightModel) {
  for (int flightModel : {0, 1}) {
    HostOptions options = TestOptions();
    options.flightModel = flightModel;
    auto sim = LoadTower(TowerScenario{}, options);
    const double expected = flightModel >= 1 ? 0.0001 : 0.0;
    EXPECT_EQ(sim->Find(kTowerName)->pitchMomentScale, expected) << flightModel;
    EXPECT_EQ(sim->Find(kTowerName)->bankMomentScale, expected) << flightModel;
  }
}

TEST(TowerDefinitionTest, EachVariantCreatesItsAnimationsInOrder) {
  for (const Variant& variant : kVariants) {
    TowerScenario scenario;
    scenario.towerClass = variant.name;
    auto sim = LoadTower(scenario);
    const VesselRecord& tower = *sim->Find(kTowerName);
    SCOPED_TRACE(variant.name);

    ASSERT_EQ(tower.animations.size(), variant.animations.size());
    for (size_t a = 0; a < variant.animations.size(); ++a) {
      const AnimationEntry& animation = tower.animations[a];
      EXPECT_EQ(animation.defaultState, 1.0);
      ASSERT_EQ(animation.components.size(), variant.animations[a].size()) << "animation " << a;
      for (size_t c = 0; c < animation.components.size(); ++c) {
        const AnimationComponent& component = tower.components[animation.components[c]];
        const Rotation& expected = variant.animations[a][c];
        const std::string where = "animation " + std::to_string(a) + " component " + std::to_string(c);
        EXPECT_EQ(component.state0, 0.0);
        EXPECT_EQ(component.state1, 1.0);
        EXPECT_EQ(component.parent, -1);
        ASSERT_EQ(component.transform->type, MGROUP_TRANSFORM::ROTATE) << where;
        const auto& rotation = static_cast<const MGROUP_ROTATE&>(*component.transform);
        EXPECT_EQ(rotation.mesh, 0u);
        EXPECT_EQ(std::vector<UINT>(rotation.grp, rotation.grp + rotation.ngrp), expected.groups) << where;
        ExpectVectorNear(rotation.ref, expected.pivot.ref, 1e-9, where + " reference");
        ExpectVectorNear(rotation.axis, expected.pivot.axis, 1e-9, where + " axis");
        EXPECT_EQ(rotation.angle, static_cast<float>(expected.pivot.angleDeg * kPi / 180)) << where;
      }
    }
  }
}

// Each mechanism drives its own animations: the crew access arm the third, the launch arms the rest.
TEST(TowerDefinitionTest, MechanismsDriveTheirOwnAnimations) {
  for (const Variant& variant : kVariants) {
    TowerScenario scenario;
    scenario.towerClass = variant.name;
    scenario.towerLines = {"CAA 0 0.25", "LAUNCH 0 0.5"};
    auto sim = LoadTower(scenario);
    const VesselRecord& tower = *sim->Find(kTowerName);
    SCOPED_TRACE(variant.name);
    for (size_t a = 0; a < tower.animations.size(); ++a) {
      const bool crewAccessArm = variant.crewAccessArm && a == 2;
      EXPECT_EQ(tower.animations[a].state, crewAccessArm ? 0.25 : 0.5) << "animation " << a;
    }
  }
}

// The deck pair turns each side about its own tilted axis; at state 0 the arms stand turned back
// by their full angle, so a point on the axis through the pivot stays where it is.
TEST(TowerDefinitionTest, DeckPairSidesTurnAboutTheirOwnAxes) {
  TowerScenario scenario;
  scenario.towerLines = {"LAUNCH 0 0.0"};
  auto sim = LoadTower(scenario);
  for (const auto& [group, pivot] : {std::pair<UINT, Pivot>{24, kDeckRight}, {25, kDeckLeft}, {42, kLowArm}}) {
    const Transform t = sim->GroupTransform(kTowerName, 0, group);
    const VECTOR3 onAxis = pivot.ref + pivot.axis * 2.0;
    ExpectVectorNear(t.Apply(onAxis), onAxis, 1e-9, "point on the axis of group " + std::to_string(group));
    // A point off the axis turns by the full angle, in the sense (0 - 1) x angle.
    const VECTOR3 axis = unit(pivot.axis);
    const VECTOR3 off = unit(crossp(axis, _V(0, 1, 0)));  // these axes all lie near x
    const VECTOR3 turned = t.Apply(pivot.ref + off) - pivot.ref;
    const double cosAngle = dotp(turned, off);
    const double sinAngle = dotp(crossp(off, turned), axis);
    EXPECT_NEAR(std::atan2(sinAngle, cosAngle) * 180 / kPi, -pivot.angleDeg, 1e-4) << "group " << group;
  }
}

}  // namespace
}  // namespace varn
