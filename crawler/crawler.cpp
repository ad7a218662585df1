// The crawler's definition, its scenario block and the order of its per-step work.
#include "crawler.h"

#include "ground_placement.h"

using namespace crawler;

VARNCRAWLER::VARNCRAWLER(OBJHANDLE hVessel, int flightModel)
    : VESSEL3(hVessel, flightModel),
      jackCommand(Hold),
      launcherPoint(nullptr),
      deckLift(0),
      launcherPointBase(kLauncherPointBase),
      speed(0),
      speedFactor(0.833),
      metresPerDegree(40030236.42389422 / 360.0),
      turnRate(1.5 * kDegree),
      padDistance(0),
      padFound(false),
      meshLift(0),
      recentring(false),
      launcherPointPos(_V(0, kLauncherPointBase, 0)),
      cameraOffset(_V(16, kCabCameraHeight, 17.5)),
      nearEndDistance(0),
      farEndDistance(0),
      nearEndHeight(0.01),
      midHeight(0.01),
      nearSlope(0),
      farSlope(0),
      halfDeckLift(0),
      firstStepDone(false),
      cameraView(0),
      // The definition switches the floodlights on; they stay on until the user switches them.
      lightSwitch(1),
      gear(Gear::Neutral),
      rearCab(0),
      lastGear(0),
      steering(kSteeringCentre),
      spotLights{nullptr, nullptr} {
  DefineAnimations();
  SetSurfaceFrictionCoeff(0.1, 0.99);
}

void VARNCRAWLER::clbkSetClassCaps(FILEHANDLE) {
  SetSize(6.08);
  SetEmptyMass(2721000);
  SetCW(0.9, 0.9, 2.0, 1.4);
  SetWingAspect(0.1);
  SetWingEffectiveness(0.1);
  SetCrossSections(_V(232.84, 1220.32, 166.36));
  SetRotDrag(_V(0.1, 0.1, 0.1));
  if (GetFlightModel() >= 1) {
    SetPitchMomentScale(1e-4);
    SetBankMomentScale(1e-4);
  }
  SetPMI(_V(163.54, 208.04, 76.03));
  SetTrimScale(0.05);
  SetCameraOffset(_V(16, kCabCameraHeight, 17.5));
  SetTouchdownPoints(_V(0, 0.001, 20), _V(-15, 0.001, -20), _V(15, 0.001, -20));

  const COLOUR4 white = _COLOUR4(1, 1, 1, 0);
  const COLOUR4 none = _COLOUR4(0, 0, 0, 0);
  spotLights[0] = AddSpotLight(_V(0, 70, -40), _V(0, -1, 1), 250, 1e-8, 0, 1e-8, 10 * kDegree, 55 * kDegree, white,
                               white, none);
  spotLights[1] = AddSpotLight(_V(0, 70, 40), _V(0, -1, -1), 250, 1e-8, 0, 1e-8, 10 * kDegree, 55 * kDegree, white,
                               white, none);
  for (LightEmitter* light : spotLights) {
    if (light) light->Activate(true);
  }

  AddMesh(oapiLoadMeshGlobal("VARNCRAWLER3B"));
  SetMeshVisibilityMode(0, MESHVIS_ALWAYS);

  // Two identical points: the first is a leftover the launcher never uses; it rides on the
  // second, which every later call refers to.
  const VECTOR3 pointPos = _V(0, kLauncherPointBase, 0);
  CreateAttachment(false, pointPos, _V(0, -1, 0), _V(0, 0, 1), "PAD", true);
  launcherPoint = CreateAttachment(false, pointPos, _V(0, -1, 0), _V(0, 0, 1), "PAD", true);
  launcherPointPos = pointPos;
  launcherPointBase = kLauncherPointBase;
  deckLift = 0;
}

// The crawler keeps nothing of its own in the scenario: only the host's lines.
void VARNCRAWLER::clbkSaveState(FILEHANDLE scn) { SaveDefaultState(scn); }

// Every line goes to the host's parser. GroundPlacement also feeds its temporary state file
// through here on old hosts.
void VARNCRAWLER::clbkLoadStateEx(FILEHANDLE scn, void* status) {
  char* line;
  while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
}

void VARNCRAWLER::clbkFocusChanged(bool getfocus, OBJHANDLE, OBJHANDLE) {
  if (!getfocus) oapiDebugString()[0] = '\0';
}

void VARNCRAWLER::clbkPreStep(double, double, double) {
  Move();
  firstStepDone = true;
  if (GroundPlacement::PadDistance(*this, padDistance)) {
    padFound = true;
    UpdateRamp();
  }
}

void VARNCRAWLER::clbkPostStep(double, double simdt, double) {
  SetAnimation(animSpeedNeedle, speed / kNeedleFullScale);
  CoastInNeutral();
  for (LightEmitter* light : spotLights) {
    if (light) light->Activate(lightSwitch != 0);
  }
  FollowCabWithView();
  HoldCamera();
  if (OffRamp()) HoldHeightsOffRamp();
  RunJacks(simdt);
  SteerAndTurn();
}
