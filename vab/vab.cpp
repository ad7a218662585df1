#include "vab.h"

#include "module_entry.h"
#include "sound_client.h"
#include "vab_build.h"

#include <cstdio>
#include <new>

namespace {

const char* const kPartKeywords[VARNVAB::PART_COUNT] = {
    "DOOR1", "DOOR2", "DOOR3", "DOOR4", "DOOR5", "DOOR6", "EM1A", "EM1B",
    "EM1C",  "EM1D",  "EM1E",  "EM1F",  "EM1G",  "EM1H",  "EM1J", "EM1K",
};
const char kLightKeyword[] = "Light";

// A large door travels in 100 s, every other part in 20 s.
const double kLargeDoorRate = 0.01;
const double kRate = 0.05;

const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

const char kWaveFolder[] = "Sound\\_CustomVesselsSounds\\TARPON2";
const int kSoundOptionsOn[] = {5, 6, 7, 1, 13, 14};
const int kSoundOptionsOff[] = {16, 17};

}  // namespace

VARNVAB::VARNVAB(OBJHANDLE hVessel, int flightModel) : VESSEL2(hVessel, flightModel) {
  for (int part = 0; part < PART_COUNT; ++part)
    mechanisms[part] = Mechanism{MECH_CLOSED, 0.0, part <= DOOR4 ? kLargeDoorRate : kRate};
  DefineAnimations();
}

void VARNVAB::clbkSetClassCaps(FILEHANDLE) {
  SetSize(100);
  SetEmptyMass(35000);
  SetCW(0.09, 0.09, 2, 1.4);
  SetWingAspect(0.7);
  SetWingEffectiveness(2.5);
  SetCrossSections(_V(710.54, 2159.34, 207.95));
  SetSurfaceFrictionCoeff(0.07, 0.3);
  SetRotDrag(_V(0.1, 0.13, 0.04));
  SetMaxWheelbrakeForce(500000);
  SetPMI(_V(743.84, 872.38, 148.19));
  SetTrimScale(0.1);
  SetCameraOffset(_V(-141, 131, 120));
  SetTouchdownPoints(_V(0, 0.1, 10), _V(-1.6, 0.1, -10), _V(1.6, 0.1, -10));
  EnableTransponder(true);

  const UINT mesh = AddMesh(oapiLoadMeshGlobal(VabBuild::kMeshName));
  SetMeshVisibilityMode(mesh, MESHVIS_ALWAYS | MESHVIS_EXTPASS);

  floodLight = AddSpotLight(_V(-143.5, 120, 138), _V(0.1, -1, 0), 200, 0.0001, 0, 0.0001, 25 * kRadiansPerDegree,
                            90 * kRadiansPerDegree, _COLOUR4(1, 1, 1, 0), _COLOUR4(1, 1, 1, 0), _COLOUR4(0, 0, 0, 0));
  if (floodLight != nullptr) floodLight->Activate(false);
}

void VARNVAB::clbkPostCreation() {
  // The results are not looked at: without an engine the client logs why, and the building
  // simply stays silent.
  soundId = ConnectToOrbiterSoundDLL(GetHandle());
  SetMyDefaultWaveDirectory(kWaveFolder);
  for (int option : kSoundOptionsOn) SetSoundOption(soundId, option, 1);
  for (int option : kSoundOptionsOff) SetSoundOption(soundId, option, 0);
}

void VARNVAB::clbkPostStep(double, double simdt, double) {
  ApplyLight();
  for (int part = 0; part < PART_COUNT; ++part)
    if (mechanisms[part].Advance(simdt)) SetAnimation(animations[part], mechanisms[part].position);
}

void VARNVAB::ApplyLight() {
  if (floodLight == nullptr || (lightSwitch != 0 && lightSwitch != 1)) return;
  floodLight->Activate(lightSwitch == 1);
}

void VARNVAB::ToggleEach(PartSet parts) {
  for (int part = 0; part < PART_COUNT; ++part)
    if (parts & Only(static_cast<Part>(part))) mechanisms[part].Toggle();
}

void VARNVAB::clbkSaveState(FILEHANDLE scn) {
  SaveDefaultState(scn);
  char text[16];
  std::snprintf(text, sizeof text, "%d ", lightSwitch);
  oapiWriteScenario_string(scn, kLightKeyword, text);
  for (int part = 0; part < PART_COUNT; ++part) mechanisms[part].WriteLine(scn, kPartKeywords[part]);
}

void VARNVAB::clbkLoadStateEx(FILEHANDLE scn, void* status) {
  char* line;
  while (oapiReadScenario_nextline(scn, line)) {
    if (MatchesKeyword(line, kLightKeyword)) std::sscanf(line + sizeof kLightKeyword - 1, "%d", &lightSwitch);
    for (int part = 0; part < PART_COUNT; ++part) mechanisms[part].ReadLine(line, kPartKeywords[part]);
    ParseScenarioLineEx(line, status);
  }
  for (int part = 0; part < PART_COUNT; ++part) SetAnimation(animations[part], mechanisms[part].position);
  ApplyLight();
}

DLLCLBK VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) { return new (std::nothrow) VARNVAB(hVessel, flightModel); }

DLLCLBK void ovcExit(VESSEL* vessel) { delete vessel; }

VESSEL_MODULE_INFO("Aug 30 2010", "Jan  1 2015")
