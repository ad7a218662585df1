// The module information entries every module library exports beside its ovcInit/ovcExit:
// the module's version (a date turned into yyyymmdd by the host's Date2Int) and its date text.
#pragma once

#include "host_api.h"

#define VESSEL_MODULE_INFO(versionDate, moduleDate)                  \
  DLLCLBK int ModuleVersion() { return Date2Int(versionDate); }      \
  DLLCLBK const char* ModuleDate() { return moduleDate; }
