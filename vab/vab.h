// The vehicle assembly building: a vessel that only stands on the ground, with four large
// high-bay doors, two small doors, ten work-platform pairs and a flood light. Each door and
// platform pair is a Mechanism driving one animation; keys change their status, the post-step
// moves them. After creation the building hooks itself up to the host's sound engine.
//
// One source serves both builds of the class; what differs between them is in vab_build.h.
#pragma once

#include "host_api.h"
#include "mechanism.h"

#include <cstdint>

class VARNVAB : public VESSEL2 {
 public:
  // The moving parts, in the order in which they are stepped, saved and read. There is no EM1I.
  enum Part {
    DOOR1, DOOR2, DOOR3, DOOR4, DOOR5, DOOR6,
    EM1A, EM1B, EM1C, EM1D, EM1E, EM1F, EM1G, EM1H, EM1J, EM1K,
    PART_COUNT
  };
  // A set of parts, one bit per Part.
  using PartSet = std::uint32_t;
  static constexpr PartSet Only(Part part) { return PartSet(1) << part; }

  VARNVAB(OBJHANDLE hVessel, int flightModel);

  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkSaveState(FILEHANDLE scn) override;
  void clbkLoadStateEx(FILEHANDLE scn, void* status) override;
  void clbkPostCreation() override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) override;

 private:
  void DefineAnimations();
  void ApplyLight();
  void ToggleEach(PartSet parts);

  Mechanism mechanisms[PART_COUNT];
  UINT animations[PART_COUNT];
  LightEmitter* floodLight = nullptr;
  int lightSwitch = 0;  // 0 off, 1 on; any other value read from a scenario leaves the light as it is
  int soundId = -1;     // the sound engine's id of this vessel, kept for the engine's sake
};
