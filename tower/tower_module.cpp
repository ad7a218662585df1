// The module's entry points: one tower object per vessel of this build's class.
#include "module_entry.h"
#include "tower.h"

#include <new>

VESSEL_MODULE_INFO(__DATE__, __DATE__)

DLLCLBK VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) {
  return new (std::nothrow) VARNTOWER2(hVessel, flightModel, kTowerVariant);
}

DLLCLBK void ovcExit(VESSEL* vessel) { delete vessel; }
