// Putting a landed vessel's changed surface position and heading into effect, and measuring
// the distance to the launch pad. Shared by the crawler and the launcher tower.
#pragma once

#include "host_api.h"

namespace GroundPlacement {

enum class Form {
  Crawler,  // old hosts only (build before 160903); writes STATUS, HEADING and POS
  Tower,    // every host; writes STATUS and HEADING
};

// Host builds from this one on take a landed status record directly.
const int kDirectLandedStateBuild = 160903;

// Hands the status record (version 2) to the host. Where the form asks for it, the record first
// makes a trip through the temporary scenario file fileName, which the vessel's own reader
// (clbkLoadStateEx) reads back so that the host's parser sets the landed state in the record.
// If the file cannot be opened the reseat is skipped; the next call tries again.
void Reseat(VESSEL2& vessel, VESSELSTATUS2& status, const char* fileName, Form form);

// Distance in metres to the vessel "LP39_VARN", if there is such a vessel.
bool PadDistance(const VESSEL& vessel, double& distance);

}  // namespace GroundPlacement
