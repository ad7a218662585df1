// How the host's VESSEL methods reach the record behind the object's handle.
#pragma once

#include "world.h"

namespace varn {

// The record of the vessel, or null (reported) if the vessel is gone.
inline VesselRecord* Self(const VESSEL* vessel, const char* op) {
  return World::Current().Vessel(vessel->GetHandle(), op);
}

}  // namespace varn
