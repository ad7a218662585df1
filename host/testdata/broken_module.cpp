// A module library that exports no ovcInit, for the host's refusal of broken modules.
#include "host_api.h"

DLLCLBK void ovcExit(VESSEL*) {}
