// VARNCRAWLER, the crawler-transporter: a heavy tracked ground vessel that drives itself over
// the surface, steers its four trucks, jacks its deck up and down, climbs the launch pad's
// approach ramp with its deck level, and carries a launcher on its deck point "PAD".
//
// The host does not move the crawler: every step the crawler works out its own surface
// position and heading and hands them back through GroundPlacement. The code is split by
// concern: crawler.cpp (definition, scenario, per-step order), driving.cpp (gears, speed,
// travel, steering, jacks), ramp.cpp (the ramp model and height following), pickup.cpp,
// animations.cpp, controls.cpp (keys and views) and hud.cpp.
#pragma once

#include "host_api.h"

#include <cstdint>

namespace crawler {

// Fixed quantities of the crawler's behaviour.
const double kDegree = 0.017453292519943295;  // radians per degree
const double kRadian = 57.29577951308232;     // degrees per radian
const double kFullTurn = 6.283185307179586;

const double kSpeedStep = 0.01;     // per frame while a speed key is held
const double kSpeedLimit = 2.78;    // the speed keys stop here
const double kNeedleFullScale = 2.76;  // speed at which the speed needle stands at its end
const double kCoastDecrement = 0.01;   // speed lost per step in neutral
const double kSteeringStep = 0.01;     // per frame (keys) or per step (recentring)
const double kSteeringCentre = 0.5;
const double kRightTurnRate = 0.01;  // rad/s toward increasing heading
const double kJackRate = 0.01;       // deck lift per second
const double kDeckTravel = 2.0;      // metres of deck rise per unit of deck lift

const double kRampStart = 330.0;  // pad distance where the ramp begins
const double kRampGradient = 0.05722222222222222;  // 15.45 m over 270 m
const double kRampTop = 15.45;
const double kHalfLength = 20.0;  // crawler ends from its centre
const double kNearSampleOffset = 7.777;
const double kMidSampleOffset = 8.027000000000001;
const double kMidHeightFallback = 0.35;
const double kPitchRange = 20.0 * kDegree;  // truck pitch animation span
const double kExtensionCap = 2.0;           // truck and cylinder extension, metres

const double kCabCameraHeight = 5.2;
const double kOutsideCameraHeight = 1.5;
const double kLauncherPointBase = 6.27219;
const double kPickupRadius = 20.0;

const char* const kTemporaryStateFile = "VARNCRAWLER";

enum JackCommand : std::int32_t { Lower = 0, Hold = 1, Raise = 2 };
enum class Gear { Forward, Neutral, Reverse };

const int kViewCount = 6;

}  // namespace crawler

class VARNCRAWLER : public VESSEL3 {
 public:
  VARNCRAWLER(OBJHANDLE hVessel, int flightModel);

  // Host callbacks.
  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkSaveState(FILEHANDLE scn) override;
  void clbkLoadStateEx(FILEHANDLE scn, void* status) override;
  void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel) override;
  void clbkPreStep(double simt, double simdt, double mjd) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  int clbkConsumeDirectKey(char* kstate) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) override;
  bool clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) override;

  // Operations the keys call (driving.cpp, pickup.cpp, controls.cpp).
  void ShiftForward();
  void ShiftNeutral();
  void ShiftReverse();
  void SpeedUp();
  void SpeedDown();
  void SteerLeft();
  void SteerRight();
  void ToggleRecentring();
  void JackLowerKey();
  void JackRaiseKey();
  void PickUpLauncher();
  void ReleaseLauncher();
  void NextView();
  void SelectView(int view);
  void ToggleLights();

  // State the tests and the HUD read.
  double Speed() const { return speed; }
  double Steering() const { return steering; }
  double DeckLift() const { return deckLift; }
  crawler::Gear CurrentGear() const { return gear; }
  crawler::JackCommand CurrentJackCommand() const { return jackCommand; }
  bool Recentring() const { return recentring; }
  int RearCab() const { return rearCab; }
  int CameraView() const { return cameraView; }
  int LightSwitch() const { return lightSwitch; }
  double MeshLift() const { return meshLift; }
  double NearEndHeight() const { return nearEndHeight; }
  double MidHeight() const { return midHeight; }
  double NearSlope() const { return nearSlope; }
  double FarSlope() const { return farSlope; }
  VECTOR3 LauncherPointPos() const { return launcherPointPos; }
  ATTACHMENTHANDLE LauncherPoint() const { return launcherPoint; }

 private:
  void DefineAnimations();  // animations.cpp

  // Driving (driving.cpp).
  int TravelDirection() const;
  void Move();
  void CoastInNeutral();
  void FollowCabWithView();
  void RunJacks(double simdt);
  void SteerAndTurn();
  void Turn(bool left);
  // Clamps a steering change and snaps a value within rounding of the centre onto it.
  void SetSteering(double value);

  // Ramp and heights (ramp.cpp).
  void UpdateRamp();
  void LevelOnRamp(double heading);
  bool OffRamp() const;
  void SetDownOffRamp();
  void HoldHeightsOffRamp();
  void PlaceLauncherPoint(double rampHeight);

  // Camera (controls.cpp).
  void HoldCamera();

  crawler::JackCommand jackCommand;
  ATTACHMENTHANDLE launcherPoint;
  double deckLift;
  double launcherPointBase;
  double speed;
  const double speedFactor;      // metres per second of travel per unit of speed, on any heading
  const double metresPerDegree;  // surface metres per degree of arc
  const double turnRate;         // rad/s toward decreasing heading
  double padDistance;
  bool padFound;  // the pad vessel has been found at least once
  double meshLift;
  bool recentring;
  VECTOR3 launcherPointPos;
  VECTOR3 cameraOffset;
  double nearEndDistance, farEndDistance;
  UINT animSteering, animDeckLift, animFrontTrucks, animFrontCylinders, animRearTrucks, animRearCylinders,
      animSpeedNeedle, animRearPitch, animFrontPitch, animForwardLamp, animReverseLamp, animDriveLamp;
  double nearEndHeight, midHeight;
  double nearSlope, farSlope;
  double halfDeckLift;
  bool firstStepDone;
  int cameraView;
  int lightSwitch;
  crawler::Gear gear;
  int rearCab;
  int lastGear;  // gear before the last shift to neutral: 0 none, 1 forward, 2 reverse
  double steering;
  LightEmitter* spotLights[2];
};
