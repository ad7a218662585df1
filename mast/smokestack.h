// SMOKESTACK: the lightning-protection mast at the launch pad. Scenery with physics: one mesh,
// an immovable mass on three touchdown points, a transponder and a flashing beacon at the top.
// All of it is set up in the definition; the mast has no state, keys or steps of its own.
#pragma once

#include "host_api.h"

class SMOKESTACK : public VESSEL2 {
 public:
  SMOKESTACK(OBJHANDLE hVessel, int flightModel);
  void clbkSetClassCaps(FILEHANDLE cfg) override;

 private:
  BEACONLIGHTSPEC beacon;  // the host keeps it by pointer for the vessel's life
};
