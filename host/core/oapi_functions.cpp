// The host's global functions: objects and vessels, resources, time and the camera.
#include "geometry.h"
#include "world.h"

#include <cmath>
#include <cstring>

using varn::VesselRecord;
using varn::World;

OBJHANDLE oapiGetObjectByName(const char* name) {
  VesselRecord* r = name ? World::Current().VesselByName(name) : nullptr;
  return r ? World::Current().HandleOf(*r) : nullptr;
}

bool oapiIsVessel(OBJHANDLE hObj) { return World::Current().Vessel(hObj) != nullptr; }

OBJHANDLE oapiGetVesselByName(const char* name) { return oapiGetObjectByName(name); }

OBJHANDLE oapiGetVesselByIndex(int index) {
  World& world = World::Current();
  if (index < 0) return nullptr;
  int live = 0;
  for (std::uint32_t slot : world.order) {
    VesselRecord& r = *world.slots[slot].record;
    if (r.deleted) continue;
    if (live++ == index) return world.HandleOf(r);
  }
  return nullptr;
}

DWORD oapiGetVesselCount() {
  World& world = World::Current();
  DWORD count = 0;
  for (std::uint32_t slot : world.order) count += world.slots[slot].record->deleted ? 0 : 1;
  return count;
}

VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel) {
  VesselRecord* r = World::Current().Vessel(hVessel);
  return r ? r->object : nullptr;
}

OBJHANDLE oapiGetFocusObject() {
  World& world = World::Current();
  if (!world.hasFocus) return nullptr;
  return world.HandleOf(*world.slots[world.focus].record);
}

OBJHANDLE oapiCreateVessel(const char* name, const char* classname, const VESSELSTATUS& status) {
  World& world = World::Current();
  if (!name || !classname || world.VesselByName(name)) {
    world.Report("oapiCreateVessel: %s", name ? "a vessel of that name exists already" : "no name or class");
    return nullptr;
  }
  std::string error;
  VesselRecord* r = world.CreateVessel(name, classname, error);
  if (!r) {
    world.Report("oapiCreateVessel: %s", error.c_str());
    return nullptr;
  }
  r->landed = false;
  r->gpos = varn::EarthCentre() + status.rpos;
  r->gvel = status.rvel;
  r->vrot = status.vrot;
  r->rot = varn::RotationFromEuler(status.arot);
  varn::SurfaceCoordinates(r->gpos, r->lon, r->lat, r->altitude);
  if (status.status == 1) {
    r->heading = varn::HeadingOf(r->rot, r->lon, r->lat);
    varn::PlaceLanded(*r);
  }
  // A created vessel has no scenario block to read.
  world.Advance(*r, varn::Lifecycle::Defined, varn::Lifecycle::Loaded, "creation");
  static_cast<VESSEL2*>(r->object)->clbkPostCreation();
  world.Advance(*r, varn::Lifecycle::Loaded, varn::Lifecycle::Running, "clbkPostCreation");
  return world.HandleOf(*r);
}

bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE) {
  World& world = World::Current();
  VesselRecord* r = world.Vessel(hVessel);
  if (!r) return false;
  world.DeleteVessel(*r);
  return true;
}

MESHHANDLE oapiLoadMeshGlobal(const char* fname) { return World::Current().LoadMesh(fname ? fname : ""); }

SURFHANDLE oapiRegisterExhaustTexture(const char* name) {
  World& world = World::Current();
  world.textureNames.emplace_back(name ? name : "");
  return reinterpret_cast<SURFHANDLE>(world.textureNames.size());
}

double oapiGetSimTime() { return World::Current().simTime; }
double oapiGetSimStep() { return World::Current().simStep; }
double oapiGetTimeAcceleration() { return World::Current().timeAcceleration; }

void oapiSetTimeAcceleration(double warp) {
  // The host's range of time acceleration.
  if (warp < 0.1) warp = 0.1;
  if (warp > 100000) warp = 100000;
  World::Current().timeAcceleration = warp;
}

int oapiGetOrbiterVersion() { return World::Current().options.hostBuild; }

char* oapiDebugString() { return World::Current().debugString; }

double oapiGetInducedDrag(double cl, double A, double e) { return cl * cl / (M_PI * A * e); }

void oapiCameraSetCockpitDir(double polar, double azimuth, bool transition) {
  World::Current().cockpitDirection = _V(polar, azimuth, transition ? 1 : 0);
}

void oapiVCRegisterHUD(const VCHUDSPEC*) {}
void oapiVCRegisterMFD(int, const VCMFDSPEC*) {}

int Date2Int(const char* date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (!date) return 0;
  int month = 0;
  for (int i = 0; i < 12; ++i)
    if (std::strncmp(date, kMonths[i], 3) == 0) month = i + 1;
  int day = 0, year = 0;
  if (month == 0 || std::sscanf(date + 3, "%d %d", &day, &year) != 2) return 0;
  return year * 10000 + month * 100 + day;
}
