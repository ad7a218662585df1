// The building's keys. Each key toggles a set of parts, with or without Shift; a key whose set
// is empty is left to the host. Group keys toggle each part on its own status, in part order,
// so parts that were at different ends move in different directions.

#include "vab.h"
#include "vab_build.h"

namespace {

using Part = VARNVAB::Part;
using PartSet = VARNVAB::PartSet;

constexpr PartSet Only(Part part) { return VARNVAB::Only(part); }

constexpr PartSet Range(Part first, Part last) {
  return (Only(last) << 1) - Only(first);
}

const PartSet kAllPlatforms = Range(VARNVAB::EM1A, VARNVAB::EM1K);
const PartSet kUpperPlatforms = Range(VARNVAB::EM1C, VARNVAB::EM1K);

struct KeyBinding {
  DWORD key;
  PartSet plain;    // without Shift
  PartSet shifted;  // with Shift
};

const KeyBinding kKeyBindings[] = {
    {OAPI_KEY_1, 0, Only(VARNVAB::EM1A)},
    {OAPI_KEY_2, 0, Only(VARNVAB::EM1B)},
    {OAPI_KEY_3, Only(VARNVAB::DOOR1), Only(VARNVAB::EM1C)},
    {OAPI_KEY_4, Only(VARNVAB::DOOR2), Only(VARNVAB::EM1D)},
    {OAPI_KEY_5, Only(VARNVAB::DOOR3), Only(VARNVAB::EM1E)},
    {OAPI_KEY_6, Only(VARNVAB::DOOR4), Only(VARNVAB::EM1F)},
    {OAPI_KEY_7, Only(VARNVAB::DOOR5), Only(VARNVAB::EM1G)},
    {OAPI_KEY_8, Only(VARNVAB::DOOR6), Only(VARNVAB::EM1H)},
    {OAPI_KEY_9, kAllPlatforms, kAllPlatforms},
    VabBuild::kKey0 == VabBuild::Key0::UpperPlatforms ? KeyBinding{OAPI_KEY_0, kUpperPlatforms, kUpperPlatforms}
                                                      : KeyBinding{OAPI_KEY_0, 0, Only(VARNVAB::EM1K)},
};

}  // namespace

int VARNVAB::clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) {
  if (!down) return 0;
  if (key == OAPI_KEY_B) {
    lightSwitch = lightSwitch == 0 ? 1 : 0;
    return 1;
  }
  const bool shift = KEYMOD_SHIFT(kstate);
  for (const KeyBinding& binding : kKeyBindings) {
    if (binding.key != key) continue;
    const PartSet parts = shift ? binding.shifted : binding.plain;
    if (parts == 0) return 0;
    ToggleEach(parts);
    return 1;
  }
  return 0;
}
