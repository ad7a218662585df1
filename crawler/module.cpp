// The library's entry points: the host asks for one VARNCRAWLER per crawler of the scenario.
#include "crawler.h"
#include "module_entry.h"

#include <new>

VESSEL_MODULE_INFO("Jun 01 2016", __DATE__)

DLLCLBK VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) {
  return new (std::nothrow) VARNCRAWLER(hVessel, flightModel);
}

DLLCLBK void ovcExit(VESSEL* vessel) { delete static_cast<VARNCRAWLER*>(vessel); }
