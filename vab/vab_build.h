// What differs between the two builds of the building, chosen by a compile definition:
// VAB_BUILD_EM2 for VARNVAB2016EM2, VAB_BUILD_2016 for VARNVAB2016.
#pragma once

#include "host_api.h"

namespace VabBuild {

// What key 0 does in a build.
enum class Key0 {
  UpperPlatforms,  // toggles EM1C to EM1K, with or without Shift
  ShiftEM1K,       // with Shift toggles EM1K alone; without Shift it is left to the host
};

#if defined(VAB_BUILD_EM2)
const char kMeshName[] = "VARN_2016/VARNVAB2";
// Mesh groups of the platform pairs EM1A to EM1E: the group moved by -11 m, the one by +11 m.
const UINT kLowerPlatformGroups[5][2] = {{228, 230}, {227, 229}, {212, 214}, {211, 213}, {215, 216}};
const Key0 kKey0 = Key0::UpperPlatforms;
#elif defined(VAB_BUILD_2016)
const char kMeshName[] = "VARN_2016/VARNVAB1";
const UINT kLowerPlatformGroups[5][2] = {{227, 228}, {223, 224}, {225, 226}, {229, 230}, {212, 211}};
const Key0 kKey0 = Key0::ShiftEM1K;
#else
#error "Define VAB_BUILD_EM2 or VAB_BUILD_2016 to choose the building's build"
#endif

}  // namespace VabBuild
