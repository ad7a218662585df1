// VESSEL: propellant resources, thrusters, thruster groups, exhausts, particle streams and
// airfoils.
#include "vessel_access.h"

using varn::Self;
using varn::ThrusterEntry;
using varn::ThrusterGroupEntry;
using varn::VesselRecord;
using varn::World;

namespace {
// The live group of a type (the last one created), or null.
ThrusterGroupEntry* GroupOfType(VesselRecord& r, THGROUP_TYPE type) {
  for (auto it = r.groups.rbegin(); it != r.groups.rend(); ++it)
    if (it->alive && it->type == type) return &*it;
  return nullptr;
}

double MeanLevel(const ThrusterGroupEntry& group, const char* op) {
  if (group.thrusters.empty()) return 0;
  double sum = 0;
  for (THRUSTER_HANDLE th : group.thrusters) {
    if (ThrusterEntry* thruster = World::Current().Thruster(th, op)) sum += thruster->level;
  }
  return sum / static_cast<double>(group.thrusters.size());
}

void SetGroupLevel(const ThrusterGroupEntry& group, double level, const char* op) {
  for (THRUSTER_HANDLE th : group.thrusters) {
    if (ThrusterEntry* thruster = World::Current().Thruster(th, op)) thruster->level = level;
  }
}
}  // namespace

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass, double efficiency) const {
  VesselRecord* r = Self(this, "CreatePropellantResource");
  if (!r) return nullptr;
  varn::PropellantEntry tank;
  tank.maxMass = maxmass;
  tank.mass = mass < 0 ? maxmass : mass;
  tank.efficiency = efficiency;
  r->propellants.push_back(tank);
  PROPELLANT_HANDLE handle =
      World::Current().SubHandle<PROPELLANT_HANDLE>(*r, r->propellantGen, r->propellants.size() - 1);
  if (!r->defaultPropellant) r->defaultPropellant = handle;
  return handle;
}

void VESSEL::ClearPropellantResources() const {
  VesselRecord* r = Self(this, "ClearPropellantResources");
  if (!r) return;
  r->propellants.clear();
  ++r->propellantGen;
  r->defaultPropellant = nullptr;
}

void VESSEL::SetDefaultPropellantResource(PROPELLANT_HANDLE ph) const {
  VesselRecord* r = Self(this, "SetDefaultPropellantResource");
  if (r && World::Current().Propellant(ph, "SetDefaultPropellantResource")) r->defaultPropellant = ph;
}

double VESSEL::GetPropellantMass(PROPELLANT_HANDLE ph) const {
  varn::PropellantEntry* tank = World::Current().Propellant(ph, "GetPropellantMass");
  return tank ? tank->mass : 0;
}

double VESSEL::GetPropellantMaxMass(PROPELLANT_HANDLE ph) const {
  varn::PropellantEntry* tank = World::Current().Propellant(ph, "GetPropellantMaxMass");
  return tank ? tank->maxMass : 0;
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxth0, PROPELLANT_HANDLE hp,
                                       double isp0, double isp_ref, double p_ref) const {
  VesselRecord* r = Self(this, "CreateThruster");
  if (!r) return nullptr;
  if (hp && !World::Current().Propellant(hp, "CreateThruster")) return nullptr;
  ThrusterEntry thruster;
  thruster.pos = pos, thruster.dir = dir;
  thruster.maxThrust = maxth0, thruster.tank = hp;
  thruster.isp = isp0, thruster.ispRef = isp_ref, thruster.pRef = p_ref;
  r->thrusters.push_back(thruster);
  return World::Current().SubHandle<THRUSTER_HANDLE>(*r, r->thrusterGen, r->thrusters.size() - 1);
}

void VESSEL::ClearThrusterDefinitions() const {
  VesselRecord* r = Self(this, "ClearThrusterDefinitions");
  if (!r) return;
  r->thrusters.clear();
  r->groups.clear();
  r->exhausts.clear();
  r->streams.clear();
  ++r->thrusterGen;
  ++r->groupGen;
}

void VESSEL::SetThrusterLevel(THRUSTER_HANDLE th, double level) const {
  if (ThrusterEntry* thruster = World::Current().Thruster(th, "SetThrusterLevel"))
    thruster->level = level < 0 ? 0 : (level > 1 ? 1 : level);
}

double VESSEL::GetThrusterLevel(THRUSTER_HANDLE th) const {
  ThrusterEntry* thruster = World::Current().Thruster(th, "GetThrusterLevel");
  return thruster ? thruster->level : 0;
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE* th, int nth, THGROUP_TYPE type) const {
  World& world = World::Current();
  VesselRecord* r = Self(this, "CreateThrusterGroup");
  if (!r) return nullptr;
  ThrusterGroupEntry group;
  group.type = type;
  for (int i = 0; i < nth; ++i) {
    VesselRecord* owner = nullptr;
    if (!world.Thruster(th[i], "CreateThrusterGroup", &owner)) return nullptr;
    if (owner != r) {
      world.Report("CreateThrusterGroup: vessel '%s' gave another vessel's thruster", r->name.c_str());
      return nullptr;
    }
    group.thrusters.push_back(th[i]);
  }
  // A second group of a standard type replaces the first; user groups add up.
  if (type != THGROUP_USER) {
    if (ThrusterGroupEntry* old = GroupOfType(*r, type)) old->alive = false;
  }
  r->groups.push_back(group);
  return world.SubHandle<THGROUP_HANDLE>(*r, r->groupGen, r->groups.size() - 1);
}

bool VESSEL::DelThrusterGroup(THGROUP_HANDLE thg, bool delth) const {
  World& world = World::Current();
  ThrusterGroupEntry* group = world.Group(thg, "DelThrusterGroup");
  if (!group) return false;
  if (delth) {
    world.NotAvailable("DelThrusterGroup with its thrusters");
    return false;
  }
  group->alive = false;
  return true;
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE type, double level) const {
  VesselRecord* r = Self(this, "SetThrusterGroupLevel");
  if (!r) return;
  if (ThrusterGroupEntry* group = GroupOfType(*r, type)) SetGroupLevel(*group, level, "SetThrusterGroupLevel");
}

void VESSEL::SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const {
  if (ThrusterGroupEntry* group = World::Current().Group(thg, "SetThrusterGroupLevel"))
    SetGroupLevel(*group, level, "SetThrusterGroupLevel");
}

double VESSEL::GetThrusterGroupLevel(THGROUP_TYPE type) const {
  VesselRecord* r = Self(this, "GetThrusterGroupLevel");
  if (!r) return 0;
  ThrusterGroupEntry* group = GroupOfType(*r, type);
  return group ? MeanLevel(*group, "GetThrusterGroupLevel") : 0;
}

double VESSEL::GetThrusterGroupLevel(THGROUP_HANDLE thg) const {
  ThrusterGroupEntry* group = World::Current().Group(thg, "GetThrusterGroupLevel");
  return group ? MeanLevel(*group, "GetThrusterGroupLevel") : 0;
}

UINT VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, SURFHANDLE tex) const {
  VesselRecord* owner = nullptr;
  if (!World::Current().Thruster(th, "AddExhaust", &owner)) return 0;
  varn::ExhaustEntry exhaust;
  exhaust.thruster = th, exhaust.lscale = lscale, exhaust.wscale = wscale, exhaust.texture = tex;
  owner->exhausts.push_back(exhaust);
  return static_cast<UINT>(owner->exhausts.size() - 1);
}

UINT VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3& pos, const VECTOR3& dir,
                        SURFHANDLE tex) const {
  VesselRecord* owner = nullptr;
  if (!World::Current().Thruster(th, "AddExhaust", &owner)) return 0;
  varn::ExhaustEntry exhaust;
  exhaust.thruster = th, exhaust.lscale = lscale, exhaust.wscale = wscale, exhaust.texture = tex;
  exhaust.ownPosition = true, exhaust.pos = pos, exhaust.dir = dir;
  owner->exhausts.push_back(exhaust);
  return static_cast<UINT>(owner->exhausts.size() - 1);
}

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE th, PARTICLESTREAMSPEC* pss) const {
  VesselRecord* owner = nullptr;
  if (!World::Current().Thruster(th, "AddExhaustStream", &owner)) return nullptr;
  varn::StreamEntry stream;
  stream.thruster = th, stream.spec = pss;
  owner->streams.push_back(stream);
  return reinterpret_cast<PSTREAM_HANDLE>(owner->streams.size());
}

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE th, const VECTOR3& pos, PARTICLESTREAMSPEC* pss) const {
  VesselRecord* owner = nullptr;
  if (!World::Current().Thruster(th, "AddExhaustStream", &owner)) return nullptr;
  varn::StreamEntry stream;
  stream.thruster = th, stream.spec = pss, stream.ownPosition = true, stream.pos = pos;
  owner->streams.push_back(stream);
  return reinterpret_cast<PSTREAM_HANDLE>(owner->streams.size());
}

AIRFOILHANDLE VESSEL::CreateAirfoil(AIRFOIL_ORIENTATION align, const VECTOR3& ref, AirfoilCoeffFunc cf, double c,
                                    double S, double A) const {
  VesselRecord* r = Self(this, "CreateAirfoil");
  if (!r) return nullptr;
  varn::AirfoilEntry airfoil;
  airfoil.align = align, airfoil.ref = ref, airfoil.coeff = cf;
  airfoil.chord = c, airfoil.area = S, airfoil.aspect = A;
  r->airfoils.push_back(airfoil);
  return reinterpret_cast<AIRFOILHANDLE>(r->airfoils.size());
}

void VESSEL::ClearAirfoilDefinitions() const {
  if (VesselRecord* r = Self(this, "ClearAirfoilDefinitions")) r->airfoils.clear();
}
