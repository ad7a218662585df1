// The tower's scenario lines: "CAA" (builds with a crew access arm), "LAUNCH", "TOUCH", "BEACON".
#include "tower.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
const char kCrewAccessArmKey[] = "CAA";
const char kLaunchArmsKey[] = "LAUNCH";
const char kTouchKey[] = "TOUCH";
const char kBeaconKey[] = "BEACON";

const char* ValuesAfter(const char* line, const char* key) { return line + std::strlen(key); }

// A height that is not a finite number would put the tower, and the rocket it holds, nowhere:
// such a value counts as unreadable and the height stays as it was.
void ReadHeight(const char* values, double& height) {
  double read;
  if (std::sscanf(values, "%lf", &read) == 1 && std::isfinite(read)) height = read;
}
}  // namespace

void VARNTOWER2::clbkSaveState(FILEHANDLE scn) {
  SaveDefaultState(scn);
  if (variant.hasCrewAccessArm) crewAccessArm.WriteLine(scn, kCrewAccessArmKey);
  launchArms.WriteLine(scn, kLaunchArmsKey);
  char text[400];  // room for any double in "%0.4f"
  std::snprintf(text, sizeof text, "%0.4f ", touchdownHeight);
  oapiWriteScenario_string(scn, kTouchKey, text);
  std::snprintf(text, sizeof text, "%d ", beaconMode);
  oapiWriteScenario_string(scn, kBeaconKey, text);
}

void VARNTOWER2::clbkLoadStateEx(FILEHANDLE scn, void* status) {
  char* line;
  while (oapiReadScenario_nextline(scn, line)) {
    if (variant.hasCrewAccessArm) crewAccessArm.ReadLine(line, kCrewAccessArmKey);
    launchArms.ReadLine(line, kLaunchArmsKey);
    if (MatchesKeyword(line, kTouchKey)) ReadHeight(ValuesAfter(line, kTouchKey), touchdownHeight);
    if (MatchesKeyword(line, kBeaconKey)) std::sscanf(ValuesAfter(line, kBeaconKey), "%d", &beaconMode);
    ParseScenarioLineEx(line, status);
  }
  // From the first read on the tower stands on three plain points at touchdownHeight.
  const double h = touchdownHeight;
  SetTouchdownPoints(_V(0, h, 10), _V(-10.6, h, -10), _V(10.6, h, -10));
  SetAnimations(ArmDriver::CrewAccessArm);
  SetAnimations(ArmDriver::LaunchArms);
}
