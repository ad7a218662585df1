// The launch pad's approach ramp and the heights that follow the deck and the ramp.
//
// The ramp rises from 330 m before the pad vessel at a constant gradient up to 15.45 m, and it
// is modelled along the north-south axis only: |cos heading| is the share of the crawler's
// length that lies along it. On the ramp the crawler lifts its mesh to the height under its
// nearer end, pitches its trucks to the slopes under either end and extends the lower trucks
// and cylinders so that the deck stays level. The host position stays on the ground; the
// launcher point and the cameras rise with the mesh.
#include "crawler.h"

#include <algorithm>
#include <cmath>

using namespace crawler;

namespace {

// Height of the ramp at a distance x from the pad vessel; below the foot it goes negative.
double RampHeight(double x) { return std::min((kRampStart - x) * kRampGradient, kRampTop); }

// |cos heading| below this counts as a crawler lying across the ramp.
const double kAcrossRamp = 1e-9;

}  // namespace

bool VARNCRAWLER::OffRamp() const { return !padFound || nearEndDistance > kRampStart; }

void VARNCRAWLER::UpdateRamp() {
  VESSELSTATUS2 status{};
  status.version = 2;
  GetStatusEx(&status);
  const double heading = status.surf_hdg;
  const double c = std::fabs(std::cos(heading));
  const double d = padDistance;
  nearEndDistance = d - kHalfLength * c;
  farEndDistance = d + kHalfLength * c;

  if (nearEndDistance > kRampStart) {
    nearEndHeight = midHeight = 0.01;
    nearSlope = farSlope = 0;
    SetAnimation(animRearPitch, 0.5);
    SetAnimation(animFrontPitch, 0.5);
    if (meshLift != 0) SetDownOffRamp();
    return;
  }
  if (nearEndDistance == kRampStart) return;

  nearEndHeight = RampHeight(nearEndDistance);
  const double farEndHeight = RampHeight(farEndDistance);
  const double xA = d - kNearSampleOffset * c;
  const double heightA = RampHeight(xA);
  const double xB = d - kMidSampleOffset * c;
  midHeight = RampHeight(xB);
  if (midHeight < 0) midHeight = kMidHeightFallback;
  if (c < kAcrossRamp) {
    // Heading east or west: the crawler lies across the ramp and sees no slope. (The cosine of
    // an east heading in radians is not exactly 0, and the sample spans would vanish.)
    nearSlope = farSlope = 0;
  } else {
    nearSlope = std::atan((nearEndHeight - heightA) / (xA - nearEndDistance));
    farSlope = std::atan((midHeight - farEndHeight) / (farEndDistance - xB));
  }
  LevelOnRamp(heading);
}

void VARNCRAWLER::LevelOnRamp(double heading) {
  const double cosHeading = std::cos(heading);
  const double sign = cosHeading < 0 ? -1.0 : 1.0;

  const double lift = nearEndHeight + halfDeckLift;
  if (lift != meshLift) {
    ShiftMesh(0, _V(0, lift - meshLift, 0));
    meshLift = lift;
  }
  const double e = std::min(lift, kRampTop);
  cameraOffset.y = (cameraView <= 1 ? kCabCameraHeight + kDeckTravel * deckLift : kOutsideCameraHeight) + e;
  PlaceLauncherPoint(e);

  SetAnimation(animRearPitch, sign * nearSlope / kPitchRange + 0.5);
  SetAnimation(animFrontPitch, sign * farSlope / kPitchRange + 0.5);

  const double lowerEnd = std::min(nearEndHeight + halfDeckLift - midHeight, kExtensionCap) * 0.5;
  const double upperEnd = std::min(halfDeckLift, kExtensionCap) * 0.5;
  if (cosHeading == 0) return;
  // The ramp is taken to rise toward the north: heading north the rear trucks stand lower and
  // extend, heading south the front ones.
  const double rear = cosHeading > 0 ? lowerEnd : upperEnd;
  const double front = cosHeading > 0 ? upperEnd : lowerEnd;
  SetAnimation(animRearTrucks, rear);
  SetAnimation(animRearCylinders, rear);
  SetAnimation(animFrontTrucks, front);
  SetAnimation(animFrontCylinders, front);
}

// On leaving the ramp the mesh goes back onto the ground and the trucks and cylinders to their
// modelled length, as for a crawler that never climbed; otherwise they would keep the last ramp
// step's values off the ramp, the mesh floating above the launcher point and cameras, which
// follow the deck alone there. Every ramp step lifts the mesh, so a lifted mesh marks the step
// that leaves the ramp.
void VARNCRAWLER::SetDownOffRamp() {
  ShiftMesh(0, _V(0, -meshLift, 0));
  meshLift = 0;
  SetAnimation(animRearTrucks, 0);
  SetAnimation(animRearCylinders, 0);
  SetAnimation(animFrontTrucks, 0);
  SetAnimation(animFrontCylinders, 0);
}

// Off the ramp the launcher point and the cameras follow the deck alone. The camera height is
// used by the next step's camera setting.
void VARNCRAWLER::HoldHeightsOffRamp() {
  PlaceLauncherPoint(0);
  cameraOffset.y = cameraView <= 1 ? kCabCameraHeight + kDeckTravel * deckLift : kOutsideCameraHeight;
}

// Keeps the launcher point at the deck height plus the ramp height e; an attached launcher is
// carried with it by the host.
void VARNCRAWLER::PlaceLauncherPoint(double e) {
  launcherPointPos.y = kDeckTravel * deckLift + launcherPointBase + e;
  SetAttachmentParams(launcherPoint, launcherPointPos, _V(0, -1, 0), _V(0, 0, -1));
}
