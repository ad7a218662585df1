#include "standins.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

namespace varn {

namespace {

// The launch pad "LP39_VARN": the ground vessels only measure their distance to it.
class LaunchPad : public VESSEL2 {
 public:
  using VESSEL2::VESSEL2;
  void clbkSetClassCaps(FILEHANDLE) override {
    SetSize(200);
    SetEmptyMass(1e9);
    SetTouchdownPoints(_V(0, 0, 100), _V(-100, 0, -100), _V(100, 0, -100));
  }
};

// A launcher on which a crawler can pick up: one child-side point "XMLP1" at its origin.
class MobileLauncher : public VESSEL2 {
 public:
  using VESSEL2::VESSEL2;
  void clbkSetClassCaps(FILEHANDLE) override {
    SetSize(50);
    SetEmptyMass(3.7e6);
    SetTouchdownPoints(_V(0, 0, 20), _V(-20, 0, -20), _V(20, 0, -20));
    CreateAttachment(true, _V(0, 0, 0), _V(0, -1, 0), _V(0, 0, 1), "XMLP1");
  }
};

// The rocket "VARN": hangs at the tower's "RM1" by a child-side point at its origin and, from the
// time its LIFTOFF line gives, answers the lift-off message 4096 with 2.0 (0.5 before).
class Rocket : public VESSEL3 {
 public:
  using VESSEL3::VESSEL3;
  static const int kLiftoffMessage = 4096;

  void clbkSetClassCaps(FILEHANDLE) override {
    SetSize(60);
    SetEmptyMass(2.6e6);
    SetTouchdownPoints(_V(0, -50, 5), _V(-5, -50, -5), _V(5, -50, -5));
    CreateAttachment(true, _V(0, 0, 0), _V(0, 1, 0), _V(0, 0, 1), "VARN");
  }
  void clbkLoadStateEx(FILEHANDLE scn, void* status) override {
    char* line;
    while (oapiReadScenario_nextline(scn, line)) {
      if (strncasecmp(line, "LIFTOFF", 7) == 0) {
        hasLiftoff = std::sscanf(line + 7, "%lf", &liftoffTime) == 1 || hasLiftoff;
      } else {
        ParseScenarioLineEx(line, status);
      }
    }
  }
  void clbkSaveState(FILEHANDLE scn) override {
    SaveDefaultState(scn);
    if (hasLiftoff) oapiWriteScenario_float(scn, "LIFTOFF", liftoffTime);
  }
  int clbkGeneric(int msgid, int, void* context) override {
    if (msgid != kLiftoffMessage || !context) return 0;
    *static_cast<double*>(context) = (hasLiftoff && oapiGetSimTime() >= liftoffTime) ? 2.0 : 0.5;
    return 1;
  }

 private:
  bool hasLiftoff = false;
  double liftoffTime = 0;
};

}  // namespace

bool IsStandInClass(const std::string& className) {
  return className == "LaunchPad" || className == "MobileLauncher" || className == "Rocket";
}

VESSEL* CreateStandIn(const std::string& className, OBJHANDLE handle, int flightModel) {
  if (className == "LaunchPad") return new LaunchPad(handle, flightModel);
  if (className == "MobileLauncher") return new MobileLauncher(handle, flightModel);
  if (className == "Rocket") return new Rocket(handle, flightModel);
  return new VESSEL2(handle, flightModel);
}

}  // namespace varn
