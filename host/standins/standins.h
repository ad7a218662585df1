// The host's stand-ins for what lies outside the system: the launch pad, a mobile launcher and
// the rocket, as classes of their own, plus the passive vessel that a class file without a
// module gives.
#pragma once

#include "host_api.h"

#include <string>

namespace varn {

bool IsStandInClass(const std::string& className);
// A new object for a stand-in class, or a passive vessel for any other class without a module.
VESSEL* CreateStandIn(const std::string& className, OBJHANDLE handle, int flightModel);

}  // namespace varn
