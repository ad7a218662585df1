// The little physics of the host: attachments, free flight and landing, thrust and
// propellant, and where animated mesh groups stand.
#include "testkit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Where a vessel-frame point of one vessel lies in another's frame.
VECTOR3 InFrameOf(const VESSEL& of, const VESSEL& from, const VECTOR3& local) {
  VECTOR3 global, result;
  from.Local2Global(local, global);
  of.Global2Local(global, result);
  return result;
}

TEST(HostWorld, ChildrenRideOnTheirParentsPointAndFallFreeWhenReleased) {
  auto sim = varn::LoadTestScenario(varn::ScenarioBuilder()
                                        .AddLanded("TOWER", "LaunchPad", -80.6, 28.6, 30)
                                        .Add("VARN", "Rocket")
                                        .Text());
  VESSEL* tower = sim->Interface("TOWER");
  VESSEL* rocket = sim->Interface("VARN");
  const ATTACHMENTHANDLE rm1 = tower->CreateAttachment(false, _V(0, 40, 10), _V(0, 1, 0), _V(0, 0, 1), "RM1");
  const ATTACHMENTHANDLE hook = rocket->GetAttachmentHandle(true, 0);
  ASSERT_TRUE(tower->AttachChild(rocket->GetHandle(), rm1, hook));
  EXPECT_FALSE(tower->AttachChild(rocket->GetHandle(), rm1, hook));  // a point holds one vessel
  sim->Step();
  // The rocket's origin (its point) sits at the tower's point, upright like the tower.
  varn::ExpectVectorNear(InFrameOf(*tower, *rocket, _V(0, 0, 0)), _V(0, 40, 10), 1e-4, "point");
  varn::ExpectVectorNear(InFrameOf(*tower, *rocket, _V(0, 1, 0)), _V(0, 41, 10), 1e-4, "up");
  EXPECT_EQ(tower->GetAttachmentStatus(rm1), rocket->GetHandle());

  ASSERT_TRUE(tower->DetachChild(rm1, 1.0));
  EXPECT_EQ(tower->GetAttachmentStatus(rm1), nullptr);
  sim->Step();
  const double altitudeAfterRelease = sim->Find("VARN")->altitude;
  sim->RunUntil(30);
  const varn::VesselRecord& fallen = *sim->Find("VARN");
  EXPECT_TRUE(fallen.landed);
  EXPECT_GT(altitudeAfterRelease, 40);
  EXPECT_DOUBLE_EQ(fallen.altitude, 50);  // on its touchdown points, 50 m below its origin
  EXPECT_TRUE(sim->Errors().empty());
}

TEST(HostWorld, ThrustBurnsPropellantAtThrustOverIsp) {
  auto sim = varn::LoadTestScenario(
      varn::ScenarioBuilder()
          .Add("PROBE", "Rocket", {"STATUS Orbiting Earth", "RPOS 0 7000000 0", "RVEL 0 0 0", "AROT 0 0 0"})
          .Text());
  VESSEL* probe = sim->Interface("PROBE");
  const PROPELLANT_HANDLE tank = probe->CreatePropellantResource(100);
  const THRUSTER_HANDLE engine = probe->CreateThruster(_V(0, 0, 0), _V(0, 1, 0), 2000, tank, 1000);
  probe->SetThrusterLevel(engine, 0.5);
  sim->RunUntil(1.0);
  EXPECT_NEAR(probe->GetPropellantMass(tank), 100 - 1.0, 1e-9);  // 1000 N for 1 s at Isp 1000 m/s
  EXPECT_NEAR(probe->GetMass(), 2.6e6 + 99, 1e-6);
}

TEST(HostWorld, ComponentsMoveRelativeToTheInitialStateAndChildrenRideOnParents) {
  auto sim = varn::LoadTestScenario(varn::ScenarioBuilder().AddLanded("V", "LaunchPad", 0, 0, 0).Text());
  VESSEL* v = sim->Interface("V");
  static UINT armGroup[] = {1};
  static UINT handGroup[] = {2};
  static MGROUP_ROTATE arm(0, armGroup, 1, _V(0, 0, 0), _V(0, 0, 1), static_cast<float>(M_PI / 2));
  static MGROUP_TRANSLATE hand(0, handGroup, 1, _V(1, 0, 0));
  v->AddMesh("box");
  const UINT anim = v->CreateAnimation(0.5);
  const ANIMATIONCOMPONENT_HANDLE parent = v->AddAnimationComponent(anim, 0, 1, &arm);
  const UINT slide = v->CreateAnimation(0);
  v->AddAnimationComponent(slide, 0.5, 1, &hand, parent);
  v->ShiftMesh(0, _V(0, 0, 2));

  // At the initial state nothing moves but the mesh shift.
  varn::ExpectVectorNear(sim->GroupTransform("V", 0, 1).Apply(_V(1, 0, 0)), _V(1, 0, 2), 1e-12, "initial");
  // State 1: the arm turns a quarter of its range past the initial state (45 degrees).
  v->SetAnimation(anim, 1);
  varn::ExpectVectorNear(sim->GroupTransform("V", 0, 1).Apply(_V(1, 0, 0)), _V(M_SQRT1_2, M_SQRT1_2, 2), 1e-6, "arm");
  // The hand slides only over 0.5..1 of its animation, along its parent's turned frame.
  v->SetAnimation(slide, 0.75);
  varn::ExpectVectorNear(sim->GroupTransform("V", 0, 2).Apply(_V(0, 0, 0)), _V(0.5 * M_SQRT1_2, 0.5 * M_SQRT1_2, 2), 1e-6,
             "hand");
}

}  // namespace
