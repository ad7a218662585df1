// Gears, speed, travel over the surface, steering and turning, and the deck jacks.
#include "crawler.h"

#include "ground_placement.h"

#include <algorithm>
#include <cmath>

using namespace crawler;

namespace {

// Below this cosine of the latitude (within a few metres of a pole) the longitude step is
// computed as if at this cosine, so that it stays finite.
const double kPoleCosineGuard = 1e-6;
// Steering values this close to the centre count as the centre: repeated 0.01 steps would
// otherwise leave a rounding residue that keeps the crawler turning with the wheel centred.
const double kCentreTolerance = 1e-9;

VESSELSTATUS2 ReadStatus(const VESSEL& vessel) {
  VESSELSTATUS2 status{};
  status.version = 2;
  vessel.GetStatusEx(&status);
  return status;
}

}  // namespace

void VARNCRAWLER::ShiftForward() {
  gear = Gear::Forward;
  lastGear = 0;
  SetAnimation(animForwardLamp, 1);
  SetAnimation(animDriveLamp, 1);
  SetAnimation(animReverseLamp, 0);
}

void VARNCRAWLER::ShiftNeutral() {
  if (gear == Gear::Forward) lastGear = 1;
  if (gear == Gear::Reverse) lastGear = 2;
  gear = Gear::Neutral;
  SetAnimation(animForwardLamp, 0);
  SetAnimation(animDriveLamp, 0);
  SetAnimation(animReverseLamp, 0);
}

void VARNCRAWLER::ShiftReverse() {
  gear = Gear::Reverse;
  lastGear = 0;
  SetAnimation(animForwardLamp, 0);
  SetAnimation(animDriveLamp, 1);
  SetAnimation(animReverseLamp, 1);
}

void VARNCRAWLER::SpeedUp() {
  if (gear != Gear::Neutral) speed = std::min(speed + kSpeedStep, kSpeedLimit);
}

void VARNCRAWLER::SpeedDown() {
  if (gear != Gear::Neutral) speed = std::max(speed - kSpeedStep, 0.0);
}

void VARNCRAWLER::SteerLeft() { SetSteering(steering + kSteeringStep); }

void VARNCRAWLER::SteerRight() { SetSteering(steering - kSteeringStep); }

// A wheel brought back to the centre is shown there at once: off centre the turn shows it, but
// a centred wheel does not turn the crawler.
void VARNCRAWLER::SetSteering(double value) {
  steering = std::clamp(value, 0.0, 1.0);
  if (std::fabs(steering - kSteeringCentre) < kCentreTolerance) {
    steering = kSteeringCentre;
    SetAnimation(animSteering, steering);
  }
}

void VARNCRAWLER::ToggleRecentring() { recentring = !recentring; }

void VARNCRAWLER::JackLowerKey() { jackCommand = jackCommand == Lower ? Hold : Lower; }

void VARNCRAWLER::JackRaiseKey() { jackCommand = jackCommand == Raise ? Hold : Raise; }

// +1 along the heading, -1 against it, 0 for no travel. In neutral the crawler rolls on in the
// direction of its last gear; driving from the rear cab reverses every direction.
int VARNCRAWLER::TravelDirection() const {
  int direction = 0;
  if (gear == Gear::Forward) direction = 1;
  if (gear == Gear::Reverse) direction = -1;
  if (gear == Gear::Neutral) direction = lastGear == 1 ? 1 : lastGear == 2 ? -1 : 0;
  return rearCab == 1 ? -direction : direction;
}

// Moves the surface position by speedFactor * speed metres per second along the heading. A
// degree of longitude is cos(latitude) times shorter than a degree of latitude, so the
// longitude step is divided by it: the ground covered is the same on every heading.
void VARNCRAWLER::Move() {
  const int direction = TravelDirection();
  if (direction == 0) return;
  VESSELSTATUS2 status = ReadStatus(*this);
  const double h = status.surf_hdg;
  const double t = oapiGetSimStep();
  const double degreesNorth = t * speedFactor * std::cos(h) / metresPerDegree;
  const double degreesEast = t * speedFactor * std::sin(h) / metresPerDegree;
  const double cosLatitude = std::max(std::fabs(std::cos(status.surf_lat)), kPoleCosineGuard);
  status.surf_lat += direction * kDegree * degreesNorth * speed;
  status.surf_lng += direction * kDegree * degreesEast * speed / cosLatitude;
  GroundPlacement::Reseat(*this, status, kTemporaryStateFile, GroundPlacement::Form::Crawler);
}

void VARNCRAWLER::CoastInNeutral() {
  if (gear == Gear::Neutral) speed = std::max(speed - kCoastDecrement, 0.0);
}

// In neutral the camera view picks the driving cab: the front cab view drives from the front,
// the rear cab view from the rear.
void VARNCRAWLER::FollowCabWithView() {
  if (gear != Gear::Neutral) return;
  if (cameraView == 0) rearCab = 0;
  if (cameraView == 1) rearCab = 1;
}

void VARNCRAWLER::RunJacks(double simdt) {
  deckLift = std::clamp(deckLift, 0.0, 1.0);
  if (jackCommand == Raise) deckLift += simdt * kJackRate;
  if (jackCommand == Lower) deckLift -= simdt * kJackRate;
  deckLift = std::clamp(deckLift, 0.0, 1.0);
  SetAnimation(animDeckLift, deckLift);
  halfDeckLift = deckLift * 0.5;
}

// The heading turns at its side's fixed rate whenever the steering is off centre, in any gear
// and at any speed; how far off centre only shows in the truck animation.
void VARNCRAWLER::SteerAndTurn() {
  if (steering == kSteeringCentre) return;
  const bool left = steering > kSteeringCentre;
  if (recentring) {
    SetSteering(left ? steering - kSteeringStep : steering + kSteeringStep);
    if (left ? steering <= kSteeringCentre : steering >= kSteeringCentre) {
      steering = kSteeringCentre;
      recentring = false;
    }
    SetAnimation(animSteering, steering);
  }
  Turn(left);
}

void VARNCRAWLER::Turn(bool left) {
  VESSELSTATUS2 status = ReadStatus(*this);
  const double t = oapiGetSimStep();
  double& h = status.surf_hdg;
  if (left) {
    h -= t * turnRate;
    if (h < 0) h += kFullTurn;
  } else {
    h += t * kRightTurnRate;
    if (h > kFullTurn) h -= kFullTurn;
  }
  SetAnimation(animSteering, steering);
  GroundPlacement::Reseat(*this, status, kTemporaryStateFile, GroundPlacement::Form::Crawler);
}
