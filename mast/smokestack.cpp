#include "smokestack.h"

#include "module_entry.h"

#include <new>

VESSEL_MODULE_INFO("Aug 30 2010", "Jan  1 2015")

namespace {
// The beacon's position and colour, which the host keeps by pointer.
VECTOR3 beaconPosition = {{-2.5, 182.0, -0.714}};
VECTOR3 beaconColour = {{1, 1, 1}};
}  // namespace

SMOKESTACK::SMOKESTACK(OBJHANDLE hVessel, int flightModel) : VESSEL2(hVessel, flightModel), beacon{} {}

void SMOKESTACK::clbkSetClassCaps(FILEHANDLE) {
  SetSize(12);
  SetEmptyMass(5.5e8);
  SetCW(0.3, 0.3, 0.6, 0.9);
  SetWingAspect(0.1);
  SetWingEffectiveness(0.1);
  SetCrossSections(_V(56.28, 4.69, 56.31));
  SetRotDrag(_V(0.1, 0.1, 0.1));
  if (GetFlightModel() >= 1) {
    SetPitchMomentScale(1e-4);
    SetBankMomentScale(1e-4);
  }
  SetPMI(_V(0, 0, 0));
  SetTrimScale(0.05);
  SetCameraOffset(_V(0, 0, 1));
  SetTouchdownPoints(_V(0, 0.01, 9), _V(-4, 0.01, -9), _V(4, 0.01, -9));
  EnableTransponder(true);

  beacon.shape = BEACONSHAPE_STAR;
  beacon.pos = &beaconPosition;
  beacon.col = &beaconColour;
  beacon.size = 2.0;
  beacon.falloff = 0.3;
  beacon.period = 0.8;
  beacon.duration = 0.1;
  beacon.tofs = 1.2000000000000002;
  beacon.active = true;
  AddBeacon(&beacon);

  const UINT mesh = AddMesh(oapiLoadMeshGlobal("VARN/NEWLIGHTNING"));
  SetMeshVisibilityMode(mesh, MESHVIS_ALWAYS);
}

DLLCLBK VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) {
  return new (std::nothrow) SMOKESTACK(hVessel, flightModel);
}

DLLCLBK void ovcExit(VESSEL* vessel) { delete static_cast<SMOKESTACK*>(vessel); }
