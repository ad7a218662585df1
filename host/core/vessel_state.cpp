// VESSEL: status records, frames, forces, and the host's own scenario lines.
#include "geometry.h"
#include "vessel_access.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

using varn::Self;
using varn::VesselRecord;
using varn::World;

namespace {
const double kDegree = M_PI / 180.0;

// Global position and rotation of a vessel whatever its status.
const VECTOR3& PositionOf(const VesselRecord& r) { return r.gpos; }

// Scans exactly count numbers from text; false if any does not scan or text is left over.
bool ScanNumbers(const char* text, double* values, int count) {
  const char* cursor = text;
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    values[i] = std::strtod(cursor, &end);
    if (end == cursor) return false;
    cursor = end;
  }
  while (*cursor && std::isspace(static_cast<unsigned char>(*cursor))) ++cursor;
  return *cursor == '\0';
}

// Reports a host line whose values do not scan, naming where the line came from.
void ReportBadLine(const VesselRecord& r, const char* line, const char* what) {
  World& world = World::Current();
  std::string source;
  int number = 0;
  if (world.LineOrigin(line, source, number)) {
    world.Report("%s:%d: %s in vessel '%s': '%s'", source.c_str(), number, what, r.name.c_str(), line);
  } else {
    world.Report("vessel '%s': %s: '%s'", r.name.c_str(), what, line);
  }
}

const char* AfterKeyword(const char* line, const char* key) {
  const size_t n = std::strlen(key);
  if (strncasecmp(line, key, n) != 0) return nullptr;
  if (line[n] != '\0' && !std::isspace(static_cast<unsigned char>(line[n]))) return nullptr;
  return line + n;
}

// "idx:level idx:level ..." into a list of levels.
template <class Apply>
bool ScanLevels(const char* text, Apply apply) {
  const char* cursor = text;
  while (true) {
    while (*cursor && std::isspace(static_cast<unsigned char>(*cursor))) ++cursor;
    if (!*cursor) return true;
    char* end = nullptr;
    const long index = std::strtol(cursor, &end, 10);
    if (end == cursor || *end != ':') return false;
    cursor = end + 1;
    const double level = std::strtod(cursor, &end);
    if (end == cursor || !apply(index, level)) return false;
    cursor = end;
  }
}
}  // namespace

void VESSEL::GetStatus(VESSELSTATUS& status) const {
  VesselRecord* r = Self(this, "GetStatus");
  status = VESSELSTATUS{};
  if (!r) return;
  status.rpos = r->gpos - varn::EarthCentre();
  status.rvel = r->gvel;
  status.vrot = r->vrot;
  status.arot = varn::EulerFromRotation(r->rot);
  status.status = r->landed ? 1 : 0;
  if (PROPELLANT_HANDLE tank = r->defaultPropellant) {
    varn::PropellantEntry* entry = World::Current().Propellant(tank, "GetStatus");
    if (entry && entry->maxMass > 0) status.fuel = entry->mass / entry->maxMass;
  }
}

void VESSEL::GetStatusEx(void* status) const {
  VesselRecord* r = Self(this, "GetStatusEx");
  auto* vs = static_cast<VESSELSTATUS2*>(status);
  if (!r || !vs) return;
  if (vs->version != 2) {
    World::Current().Report("GetStatusEx: vessel '%s' passed a status record of version %u; only 2 is known",
                            r->name.c_str(), static_cast<unsigned>(vs->version));
    return;
  }
  vs->status = r->landed ? 1 : 0;
  vs->rbody = nullptr;
  vs->rpos = r->gpos - varn::EarthCentre();
  vs->rvel = r->gvel;
  vs->vrot = r->vrot;
  vs->arot = varn::EulerFromRotation(r->rot);
  if (r->landed) {
    vs->surf_lng = r->lon, vs->surf_lat = r->lat, vs->surf_hdg = r->heading;
  } else {
    double altitude;
    varn::SurfaceCoordinates(r->gpos, vs->surf_lng, vs->surf_lat, altitude);
    vs->surf_hdg = varn::HeadingOf(r->rot, vs->surf_lng, vs->surf_lat);
  }
  vs->xpdr = 0;
}

void VESSEL::DefSetStateEx(const void* status) const {
  VesselRecord* r = Self(this, "DefSetStateEx");
  const auto* vs = static_cast<const VESSELSTATUS2*>(status);
  if (!r || !vs) return;
  if (vs->version != 2) {
    World::Current().Report("DefSetStateEx: vessel '%s' passed a status record of version %u; only 2 is known",
                            r->name.c_str(), static_cast<unsigned>(vs->version));
    return;
  }
  if (World::Current().ParentOf(*r)) return;  // an attached child goes where its parent takes it
  if (vs->status == 1) {
    r->lon = vs->surf_lng, r->lat = vs->surf_lat, r->heading = vs->surf_hdg;
    varn::PlaceLanded(*r);
  } else {
    r->landed = false;
    r->gpos = varn::EarthCentre() + vs->rpos;
    r->gvel = vs->rvel;
    r->vrot = vs->vrot;
    r->rot = varn::RotationFromEuler(vs->arot);
    varn::SurfaceCoordinates(r->gpos, r->lon, r->lat, r->altitude);
  }
}

void VESSEL::GetRelativePos(OBJHANDLE hRef, VECTOR3& pos) const {
  World& world = World::Current();
  VesselRecord* r = Self(this, "GetRelativePos");
  VesselRecord* ref = world.Vessel(hRef, "GetRelativePos");
  pos = (r && ref) ? PositionOf(*r) - PositionOf(*ref) : _V(0, 0, 0);
}

void VESSEL::GetRelativeVel(OBJHANDLE hRef, VECTOR3& vel) const {
  World& world = World::Current();
  VesselRecord* r = Self(this, "GetRelativeVel");
  VesselRecord* ref = world.Vessel(hRef, "GetRelativeVel");
  vel = (r && ref) ? r->gvel - ref->gvel : _V(0, 0, 0);
}

void VESSEL::GetGlobalPos(VECTOR3& pos) const {
  VesselRecord* r = Self(this, "GetGlobalPos");
  pos = r ? r->gpos : _V(0, 0, 0);
}

void VESSEL::GetGlobalVel(VECTOR3& vel) const {
  VesselRecord* r = Self(this, "GetGlobalVel");
  vel = r ? r->gvel : _V(0, 0, 0);
}

void VESSEL::Local2Global(const VECTOR3& local, VECTOR3& global) const {
  VesselRecord* r = Self(this, "Local2Global");
  global = r ? r->gpos + mul(r->rot, local) : local;
}

void VESSEL::Global2Local(const VECTOR3& global, VECTOR3& local) const {
  VesselRecord* r = Self(this, "Global2Local");
  local = r ? tmul(r->rot, global - r->gpos) : global;
}

void VESSEL::Local2Rel(const VECTOR3& local, VECTOR3& rel) const {
  VesselRecord* r = Self(this, "Local2Rel");
  rel = r ? r->gpos + mul(r->rot, local) - varn::EarthCentre() : local;
}

void VESSEL::GlobalRot(const VECTOR3& rloc, VECTOR3& rglob) const {
  VesselRecord* r = Self(this, "GlobalRot");
  rglob = r ? mul(r->rot, rloc) : rloc;
}

double VESSEL::GetAltitude(AltitudeMode) const {
  // The planet is a smooth sphere: the ground is at the mean radius.
  VesselRecord* r = Self(this, "GetAltitude");
  return r ? length(r->gpos - varn::EarthCentre()) - varn::kEarthRadius : 0;
}

double VESSEL::GetAirspeed() const {
  VesselRecord* r = Self(this, "GetAirspeed");
  return r ? length(r->gvel) : 0;
}

void VESSEL::AddForce(const VECTOR3& F, const VECTOR3&) const {
  if (VesselRecord* r = Self(this, "AddForce")) r->forceSum += F;
}

bool VESSEL::ParseScenarioLineEx(char* line, void* status) const {
  VesselRecord* r = Self(this, "ParseScenarioLineEx");
  auto* vs = static_cast<VESSELSTATUS2*>(status);
  if (!r || !line || !vs) return false;
  World& world = World::Current();
  double v[3];
  if (const char* rest = AfterKeyword(line, "STATUS")) {
    char word[32] = {}, body[64] = {};
    if (std::sscanf(rest, "%31s %63s", word, body) != 2 || std::strcmp(body, "Earth") != 0 ||
        (strcasecmp(word, "Landed") != 0 && strcasecmp(word, "Orbiting") != 0)) {
      ReportBadLine(*r, line, "expected 'STATUS Landed Earth' or 'STATUS Orbiting Earth'");
    } else {
      vs->status = strcasecmp(word, "Landed") == 0 ? 1 : 0;
    }
  } else if (const char* pos = AfterKeyword(line, "POS")) {
    if (!ScanNumbers(pos, v, 2)) ReportBadLine(*r, line, "POS needs longitude and latitude in degrees");
    else vs->surf_lng = v[0] * kDegree, vs->surf_lat = v[1] * kDegree;
  } else if (const char* heading = AfterKeyword(line, "HEADING")) {
    if (!ScanNumbers(heading, v, 1)) ReportBadLine(*r, line, "HEADING needs a number of degrees");
    else vs->surf_hdg = v[0] * kDegree;
  } else if (const char* rpos = AfterKeyword(line, "RPOS")) {
    if (!ScanNumbers(rpos, v, 3)) ReportBadLine(*r, line, "RPOS needs three numbers");
    else vs->rpos = _V(v[0], v[1], v[2]);
  } else if (const char* rvel = AfterKeyword(line, "RVEL")) {
    if (!ScanNumbers(rvel, v, 3)) ReportBadLine(*r, line, "RVEL needs three numbers");
    else vs->rvel = _V(v[0], v[1], v[2]);
  } else if (const char* arot = AfterKeyword(line, "AROT")) {
    if (!ScanNumbers(arot, v, 3)) ReportBadLine(*r, line, "AROT needs three angles in degrees");
    else vs->arot = _V(v[0], v[1], v[2]) * kDegree;
  } else if (const char* vrot = AfterKeyword(line, "VROT")) {
    if (!ScanNumbers(vrot, v, 3)) ReportBadLine(*r, line, "VROT needs three rates in degrees per second");
    else vs->vrot = _V(v[0], v[1], v[2]) * kDegree;
  } else if (const char* attached = AfterKeyword(line, "ATTACHED")) {
    World::PendingAttachment pending;
    char name[256] = {};
    int consumed = 0;
    if (std::sscanf(attached, " %ld:%ld,%255s%n", &pending.childPoint, &pending.parentPoint, name, &consumed) != 3 ||
        attached[consumed] != '\0') {
      ReportBadLine(*r, line, "expected 'ATTACHED <child point>:<parent point>,<parent name>'");
    } else {
      pending.childSlot = r->slot;
      pending.parentName = name;
      world.LineOrigin(line, pending.source, pending.line);
      world.pendingAttachments.push_back(pending);
    }
  } else if (const char* levels = AfterKeyword(line, "PRPLEVEL")) {
    const bool ok = ScanLevels(levels, [r](long index, double level) {
      if (index < 0 || static_cast<size_t>(index) >= r->propellants.size()) return false;
      r->propellants[static_cast<size_t>(index)].mass = level * r->propellants[static_cast<size_t>(index)].maxMass;
      return true;
    });
    if (!ok) ReportBadLine(*r, line, "PRPLEVEL needs '<tank>:<level>' pairs for tanks the vessel has");
  } else if (const char* levels = AfterKeyword(line, "THLEVEL")) {
    const bool ok = ScanLevels(levels, [r](long index, double level) {
      if (index < 0 || static_cast<size_t>(index) >= r->thrusters.size()) return false;
      r->thrusters[static_cast<size_t>(index)].level = level;
      return true;
    });
    if (!ok) ReportBadLine(*r, line, "THLEVEL needs '<thruster>:<level>' pairs for thrusters the vessel has");
  } else {
    return false;
  }
  return true;
}

void VESSEL::SaveDefaultState(FILEHANDLE scn) const {
  VesselRecord* r = Self(this, "SaveDefaultState");
  if (!r) return;
  World& world = World::Current();
  char text[256];
  size_t childPoint = 0, parentPoint = 0;
  VesselRecord* parent = world.ParentOf(*r, &childPoint, &parentPoint);
  if (r->landed) {
    oapiWriteScenario_string(scn, "STATUS", "Landed Earth");
    std::snprintf(text, sizeof text, "%.10f %.10f", r->lon / kDegree, r->lat / kDegree);
    oapiWriteScenario_string(scn, "POS", text);
    std::snprintf(text, sizeof text, "%.6f", r->heading / kDegree);
    oapiWriteScenario_string(scn, "HEADING", text);
  } else {
    oapiWriteScenario_string(scn, "STATUS", "Orbiting Earth");
    const VECTOR3 rpos = r->gpos - varn::EarthCentre();
    const VECTOR3 arot = varn::EulerFromRotation(r->rot) / kDegree;
    const VECTOR3 vrot = r->vrot / kDegree;
    std::snprintf(text, sizeof text, "%.4f %.4f %.4f", rpos.x, rpos.y, rpos.z);
    oapiWriteScenario_string(scn, "RPOS", text);
    std::snprintf(text, sizeof text, "%.4f %.4f %.4f", r->gvel.x, r->gvel.y, r->gvel.z);
    oapiWriteScenario_string(scn, "RVEL", text);
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f", arot.x, arot.y, arot.z);
    oapiWriteScenario_string(scn, "AROT", text);
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f", vrot.x, vrot.y, vrot.z);
    oapiWriteScenario_string(scn, "VROT", text);
  }
  if (parent) {
    // Points are counted per side, as the ATTACHED line reads them.
    long childIndex = 0, parentIndex = 0;
    for (size_t i = 0; i < childPoint; ++i) childIndex += r->attachments[i].toParent ? 1 : 0;
    for (size_t i = 0; i < parentPoint; ++i) parentIndex += parent->attachments[i].toParent ? 0 : 1;
    std::snprintf(text, sizeof text, "%ld:%ld,%s", childIndex, parentIndex, parent->name.c_str());
    oapiWriteScenario_string(scn, "ATTACHED", text);
  }
  if (!r->propellants.empty()) {
    std::string levels;
    for (size_t i = 0; i < r->propellants.size(); ++i) {
      const auto& tank = r->propellants[i];
      std::snprintf(text, sizeof text, "%s%zu:%.6f", i ? " " : "", i, tank.maxMass > 0 ? tank.mass / tank.maxMass : 0);
      levels += text;
    }
    oapiWriteScenario_string(scn, "PRPLEVEL", levels.c_str());
  }
  std::string thrusterLevels;
  for (size_t i = 0; i < r->thrusters.size(); ++i) {
    if (r->thrusters[i].level == 0) continue;
    std::snprintf(text, sizeof text, "%s%zu:%.6f", thrusterLevels.empty() ? "" : " ", i, r->thrusters[i].level);
    thrusterLevels += text;
  }
  if (!thrusterLevels.empty()) oapiWriteScenario_string(scn, "THLEVEL", thrusterLevels.c_str());
}
