// The tower over time: every pre-step it re-seats itself on the ground (on the pad deck near the
// pad) and asks the rocket whether it has lifted off; every post-step it switches the beacons and
// moves the arms. The keys move the arms, switch the beacons and release the rocket.
#include "tower.h"

#include "ground_placement.h"

namespace {

const double kPadReach = 100.0;            // metres; nearer than this the tower stands on the pad deck
const double kPadTouchdownHeight = -75.9;  // touchdown points' height on the pad deck
const char kRocketName[] = "VARN";
const int kLiftoffMessage = 4096;        // the rocket answers it with a value above 1 once lifted off
const double kRocketReleaseSpeed = 1.0;  // m/s

const int kBeaconsOff = 0;
const int kBeaconsOn = 1;

}  // namespace

void VARNTOWER2::clbkPreStep(double, double, double) {
  VESSELSTATUS2 status{};
  status.version = 2;
  GetStatusEx(&status);

  GroundPlacement::PadDistance(*this, padDistance);
  if (padDistance < kPadReach) touchdownHeight = kPadTouchdownHeight;

  // The reseat runs the tower's own scenario reader, which sets the touchdown points from
  // touchdownHeight: a new height takes effect in this step.
  GroundPlacement::Reseat(*this, status, variant.name, GroundPlacement::Form::Tower);

  WatchForLiftoff();
}

void VARNTOWER2::WatchForLiftoff() {
  OBJHANDLE hRocket = oapiGetVesselByName(kRocketName);
  if (!hRocket) return;
  VESSEL* rocket = oapiGetVesselInterface(hRocket);
  // Only a vessel with the version 3 callbacks has a message callback to call.
  if (!rocket || rocket->Version() < 3) return;
  double reply = 0.0;
  static_cast<VESSEL3*>(rocket)->clbkGeneric(kLiftoffMessage, 1, &reply);
  if (reply > 1.0 && !liftoffLatch) launchArms.Toggle();
}

void VARNTOWER2::clbkPostStep(double, double simdt, double) {
  SwitchBeacons();

  const bool retracting = launchArms.status == MECH_CLOSING;
  if (launchArms.Advance(simdt)) {
    if (retracting) liftoffLatch = true;
    SetAnimations(ArmDriver::LaunchArms);
  }
  if (variant.hasCrewAccessArm && crewAccessArm.Advance(simdt)) SetAnimations(ArmDriver::CrewAccessArm);
}

void VARNTOWER2::SwitchBeacons() {
  if (beaconMode != kBeaconsOff && beaconMode != kBeaconsOn) return;
  for (BEACONLIGHTSPEC& beacon : beacons) beacon.active = beaconMode == kBeaconsOn;
}

void VARNTOWER2::SetAnimations(ArmDriver driver) {
  const Mechanism& mechanism = driver == ArmDriver::CrewAccessArm ? crewAccessArm : launchArms;
  for (int i = 0; i < variant.animationCount; ++i) {
    if (variant.animations[i].driver == driver) SetAnimation(animations[i], mechanism.position);
  }
}

int VARNTOWER2::clbkConsumeBufferedKey(DWORD key, bool down, char*) {
  if (!down) return 0;
  switch (key) {
    case OAPI_KEY_1:
      if (!variant.hasCrewAccessArm) return 0;
      crewAccessArm.Toggle();
      return 1;
    case OAPI_KEY_2:
    case OAPI_KEY_3:
    case OAPI_KEY_4:
      return 1;  // kept from the host, with no action of their own
    case OAPI_KEY_5:
      beaconMode = kBeaconsOff;
      return 1;
    case OAPI_KEY_6:
      beaconMode = kBeaconsOn;
      return 0;  // left to the host as well
    case OAPI_KEY_7:
      launchArms.Toggle();  // also while latched: the user may always move the arms
      return 1;
    case OAPI_KEY_G:
      DetachChild(rocketAttachment, kRocketReleaseSpeed);
      return 0;
    default:
      return 0;
  }
}
