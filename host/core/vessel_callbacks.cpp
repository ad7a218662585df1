// The default callbacks of VESSEL2 and VESSEL3: what the host does for a vessel that leaves
// a callback to it.
#include "host_api.h"

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 2; }

void VESSEL2::clbkSetClassCaps(FILEHANDLE) {}

void VESSEL2::clbkSaveState(FILEHANDLE scn) { SaveDefaultState(scn); }

void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void* status) {
  char* line;
  while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
}

void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) {}
void VESSEL2::clbkPreStep(double, double, double) {}
void VESSEL2::clbkPostStep(double, double, double) {}
int VESSEL2::clbkConsumeDirectKey(char*) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char*) { return 0; }
bool VESSEL2::clbkLoadVC(int) { return false; }
void VESSEL2::clbkVisualCreated(VISHANDLE, int) {}
void VESSEL2::clbkVisualDestroyed(VISHANDLE, int) {}

VESSEL3::VESSEL3(OBJHANDLE hVessel, int fmodel) : VESSEL2(hVessel, fmodel) { version = 3; }

// This host draws no HUD elements of its own.
bool VESSEL3::clbkDrawHUD(int, const HUDPAINTSPEC*, oapi::Sketchpad*) { return true; }

int VESSEL3::clbkGeneric(int, int, void*) { return 0; }
