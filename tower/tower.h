// The launcher tower: a ground vessel that holds its place (on the pad deck when it stands at the
// launch pad), holds the rocket at its point "RM1", flashes eight beacons, swings its crew access
// arm on command and retracts its service arms once the rocket reports lift-off.
//
// One class serves all four builds; what differs between them is the TowerVariant it is made with.
#pragma once

#include "host_api.h"
#include "mechanism.h"
#include "tower_variant.h"

const int kTowerBeaconCount = 8;

class VARNTOWER2 : public VESSEL3 {
 public:
  VARNTOWER2(OBJHANDLE hVessel, int flightModel, const TowerVariant& variant);

  // tower_definition.cpp
  void clbkSetClassCaps(FILEHANDLE cfg) override;

  // tower_state.cpp
  void clbkSaveState(FILEHANDLE scn) override;
  // Also reads the temporary state file on every pre-step, so it re-applies the touchdown
  // points and the arm animations each time.
  void clbkLoadStateEx(FILEHANDLE scn, void* status) override;

  // launch_sequence.cpp
  void clbkPreStep(double simt, double simdt, double mjd) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) override;

 private:
  void CreateAnimations();
  void AddBeacons();
  // Sets every animation that the mechanism of driver moves to that mechanism's position.
  void SetAnimations(ArmDriver driver);
  void WatchForLiftoff();
  void SwitchBeacons();

  const TowerVariant& variant;
  int beaconMode;     // 0 all off, 1 all on, any other value leaves the beacons as they are
  bool liftoffLatch;  // set once the service arms retract; blocks further automatic toggles
  Mechanism launchArms;
  Mechanism crewAccessArm;  // moves only in builds that have the arm
  double padDistance;       // metres to the launch pad, as last measured
  double touchdownHeight;   // vertical coordinate of the three touchdown points
  ATTACHMENTHANDLE rocketAttachment;
  UINT animations[kMaxTowerAnimations];
  BEACONLIGHTSPEC beacons[kTowerBeaconCount];  // the host keeps pointers to these
};
