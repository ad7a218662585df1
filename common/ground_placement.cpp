#include "ground_placement.h"

#include <cstdio>

namespace GroundPlacement {

namespace {
const double kDegreesPerRadian = 57.29577951308232;
}

void Reseat(VESSEL2& vessel, VESSELSTATUS2& status, const char* fileName, Form form) {
  const bool throughFile = form == Form::Tower || oapiGetOrbiterVersion() < kDirectLandedStateBuild;
  if (throughFile) {
    FILEHANDLE out = oapiOpenFile(fileName, FILE_OUT, CONFIG);
    if (!out) return;
    oapiWriteScenario_string(out, "STATUS", "Landed Earth");
    oapiWriteScenario_float(out, "HEADING", status.surf_hdg * kDegreesPerRadian);
    if (form == Form::Crawler) {
      char pos[128];
      std::snprintf(pos, sizeof pos, "%.20f %.20f", status.surf_lng * kDegreesPerRadian,
                    status.surf_lat * kDegreesPerRadian);
      oapiWriteScenario_string(out, "POS", pos);
    }
    oapiCloseFile(out, FILE_OUT);

    FILEHANDLE in = oapiOpenFile(fileName, FILE_IN, CONFIG);
    if (!in) return;
    vessel.clbkLoadStateEx(in, &status);
    oapiCloseFile(in, FILE_IN);
  }
  vessel.DefSetStateEx(&status);
}

bool PadDistance(const VESSEL& vessel, double& distance) {
  OBJHANDLE pad = oapiGetObjectByName("LP39_VARN");
  if (!pad || !oapiIsVessel(pad)) return false;
  VECTOR3 rel;
  vessel.GetRelativePos(pad, rel);
  distance = length(rel);
  return true;
}

}  // namespace GroundPlacement
