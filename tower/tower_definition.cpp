// Construction and the definition the tower gives the host: the same in every build but for
// the mesh and the arm animations.
#include "tower.h"

#include <limits>

namespace {

const double kLaunchArmRate = 0.51;     // per second
const double kCrewAccessArmRate = 0.21;  // per second
const double kStandingTouchdownHeight = -59.943;

const TOUCHDOWNVTX kDefinitionTouchdown[3] = {
    {{{0, kStandingTouchdownHeight, 22}}, 26150800, 18409627, 1.6, 0.1},
    {{{-20, kStandingTouchdownHeight, -22}}, 26150800, 18409627, 3.0, 0.2},
    {{{20, kStandingTouchdownHeight, -22}}, 26150800, 18409627, 3.0, 0.2},
};

// Four beacons at the top of the tower and four at its reference height, all white.
// Module-wide, because the host keeps pointers to them.
VECTOR3 beaconPositions[kTowerBeaconCount] = {
    {{-7, 59.7, -6.6}}, {{-7, 59.7, -18}}, {{7, 59.7, -6.6}}, {{7, 59.7, -18}},
    {{-7, 0, -6.6}},    {{-7, 0, -18}},    {{7, 0, -6.6}},    {{7, 0, -18}},
};
VECTOR3 beaconColour = {{1, 1, 1}};

}  // namespace

VARNTOWER2::VARNTOWER2(OBJHANDLE hVessel, int flightModel, const TowerVariant& variant)
    : VESSEL3(hVessel, flightModel),
      variant(variant),
      beaconMode(0),
      liftoffLatch(false),
      // The service arms start at the rocket: closed, but at the position the mesh models.
      launchArms{MECH_CLOSED, 1.0, kLaunchArmRate},
      crewAccessArm{MECH_CLOSED, 0.0, kCrewAccessArmRate},
      // Not measured yet: counts as far from the pad.
      padDistance(std::numeric_limits<double>::infinity()),
      touchdownHeight(kStandingTouchdownHeight),
      rocketAttachment(nullptr),
      animations{},
      beacons{} {
  CreateAnimations();
}

void VARNTOWER2::CreateAnimations() {
  for (int i = 0; i < variant.animationCount; ++i) {
    animations[i] = CreateAnimation(1.0);
    for (MGROUP_ROTATE* rotation : variant.animations[i].components) {
      if (rotation) AddAnimationComponent(animations[i], 0.0, 1.0, rotation);
    }
  }
}

void VARNTOWER2::clbkSetClassCaps(FILEHANDLE) {
  SetSize(60);
  SetEmptyMass(4000000);
  SetCW(0.3, 0.3, 0.6, 0.9);
  SetWingAspect(0.1);
  SetWingEffectiveness(0.1);
  SetCrossSections(_V(950, 838.24, 1080));
  SetRotDrag(_V(0.1, 0.1, 0.1));
  if (GetFlightModel() >= 1) {
    SetPitchMomentScale(0.0001);
    SetBankMomentScale(0.0001);
  }
  SetPMI(_V(0.88, 0.99, 0.84));
  SetTrimScale(0.05);
  SetCameraOffset(_V(0, 1.2, 0));
  SetTouchdownPoints(kDefinitionTouchdown, 3);
  EnableTransponder(true);

  const UINT mesh = AddMesh(oapiLoadMeshGlobal(variant.mesh));
  SetMeshVisibilityMode(mesh, MESHVIS_ALWAYS);

  rocketAttachment = CreateAttachment(false, _V(0, -12.7, 10), _V(0, 1, 0), _V(0, 0, 1), "RM1", false);
  AddBeacons();
}

void VARNTOWER2::AddBeacons() {
  for (int i = 0; i < kTowerBeaconCount; ++i) {
    BEACONLIGHTSPEC& beacon = beacons[i];
    beacon.shape = BEACONSHAPE_STAR;
    beacon.pos = &beaconPositions[i];
    beacon.col = &beaconColour;
    beacon.size = 1.0;
    beacon.falloff = 0.3;
    beacon.period = 0.8;
    beacon.duration = 0.1;
    beacon.tofs = (6 - i) * 0.2;  // a running light from 1.2 s down to -0.2 s
    beacon.active = true;
    AddBeacon(&beacon);
  }
}
